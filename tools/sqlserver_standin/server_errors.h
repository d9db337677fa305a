#pragma once
// SQL Server's own messages, with its numbers, severities and texts.
#include <string>
#include <string_view>

#include "tds/server_message.h"

namespace wf::standin::errors {

ServerMessage loginFailed(std::string_view user);
ServerMessage cannotOpenDatabase(std::string_view database);
ServerMessage changedDatabase(std::string_view database);
ServerMessage changedLanguage();
ServerMessage databaseDoesNotExist(std::string_view database);
ServerMessage databaseOffline(std::string_view database);
ServerMessage databaseExists(std::string_view database);
ServerMessage cannotDropMissing(std::string_view database);
ServerMessage cannotDropInUse(std::string_view database);
ServerMessage cannotAlter(std::string_view database);
ServerMessage alterLockFailed(std::string_view database);
ServerMessage alterFailed();
ServerMessage cannotDetachInUse(std::string_view database);
ServerMessage noDatabaseToDetach(std::string_view database);
ServerMessage cannotOpenFile(std::string_view path);
ServerMessage invalidFileHeader(std::string_view path);
ServerMessage fileExists(std::string_view path);
ServerMessage createFilesFailed();
ServerMessage cannotOpenNewDatabase(std::string_view database);
ServerMessage invalidObjectName(std::string_view name);
ServerMessage invalidColumnName(std::string_view name);
ServerMessage cannotUpdateIdentity(std::string_view column);
ServerMessage incorrectSyntax(std::string_view near);
ServerMessage unclosedQuote(std::string_view remainder);
ServerMessage badWaitforTime(std::string_view text);
ServerMessage unknownProcedure(std::string_view name);
ServerMessage badProcedureParameter(std::string_view procedure, std::string_view parameter);
ServerMessage cursorDoesNotExist(std::int32_t handle);
ServerMessage unknownParameterType(std::size_t ordinal, std::string_view name, unsigned type);
// RAISERROR and THROW: number 50000 or the thrown one, text as given.
ServerMessage raised(int number, std::string text, int severity, int state);

}  // namespace wf::standin::errors
