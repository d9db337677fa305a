#include "server_errors.h"

#include <algorithm>
#include <cstdio>

namespace wf::standin::errors {
namespace {

ServerMessage make(int number, int severity, std::string text, int state = 1) {
    return ServerMessage{number, static_cast<std::uint8_t>(severity), static_cast<std::uint8_t>(state), std::move(text)};
}

std::string str(std::string_view text) { return std::string(text); }

}  // namespace

ServerMessage loginFailed(std::string_view user) { return make(18456, 14, "Login failed for user '" + str(user) + "'."); }

ServerMessage cannotOpenDatabase(std::string_view database) {
    return make(4060, 11, "Cannot open database \"" + str(database) + "\" requested by the login. The login failed.");
}

ServerMessage changedDatabase(std::string_view database) {
    return make(5701, 10, "Changed database context to '" + str(database) + "'.", 2);
}

ServerMessage changedLanguage() { return make(5703, 10, "Changed language setting to us_english.", 1); }

ServerMessage databaseDoesNotExist(std::string_view database) {
    return make(911, 16, "Database '" + str(database) + "' does not exist. Make sure that the name is entered correctly.");
}

ServerMessage databaseOffline(std::string_view database) {
    return make(942, 14, "Database '" + str(database) + "' cannot be opened because it is offline.", 4);
}

ServerMessage databaseExists(std::string_view database) {
    return make(1801, 16, "Database '" + str(database) + "' already exists. Choose a different database name.", 3);
}

ServerMessage cannotDropMissing(std::string_view database) {
    return make(3701, 11, "Cannot drop the database '" + str(database) +
                              "', because it does not exist or you do not have permission.");
}

ServerMessage cannotDropInUse(std::string_view database) {
    return make(3702, 16, "Cannot drop database \"" + str(database) + "\" because it is currently in use.", 4);
}

ServerMessage cannotAlter(std::string_view database) {
    return make(5011, 14, "User does not have permission to alter database '" + str(database) +
                              "', the database does not exist, or the database is not in a state that allows access "
                              "checks.", 7);
}

ServerMessage alterLockFailed(std::string_view database) {
    return make(5061, 16, "ALTER DATABASE failed because a lock could not be placed on database '" + str(database) +
                              "'. Try again later.");
}

ServerMessage alterFailed() { return make(5069, 16, "ALTER DATABASE statement failed."); }

ServerMessage cannotDetachInUse(std::string_view database) {
    return make(3703, 16, "Cannot detach the database '" + str(database) + "' because it is currently in use.", 2);
}

ServerMessage noDatabaseToDetach(std::string_view database) {
    return make(15010, 16, "The database '" + str(database) +
                               "' does not exist. Supply a valid database name. To see available databases, use "
                               "sys.databases.");
}

ServerMessage cannotOpenFile(std::string_view path) {
    return make(5120, 16, "Unable to open the physical file \"" + str(path) +
                              "\". Operating system error 2: \"2(The system cannot find the file specified.)\".", 101);
}

ServerMessage invalidFileHeader(std::string_view path) {
    return make(5172, 16, "The header for file '" + str(path) +
                              "' is not a valid database file header. The FILE SIZE property is incorrect.", 15);
}

ServerMessage fileExists(std::string_view path) {
    return make(5170, 16, "Cannot create file '" + str(path) +
                              "' because it already exists. Change the file path or the file name, and retry the "
                              "operation.");
}

ServerMessage createFilesFailed() {
    return make(1802, 16, "CREATE DATABASE failed. Some file names listed could not be created. Check related errors.");
}

ServerMessage cannotOpenNewDatabase(std::string_view database) {
    return make(1813, 16, "Could not open new database '" + str(database) + "'. CREATE DATABASE is aborted.", 2);
}

ServerMessage invalidObjectName(std::string_view name) { return make(208, 16, "Invalid object name '" + str(name) + "'."); }

ServerMessage invalidColumnName(std::string_view name) { return make(207, 16, "Invalid column name '" + str(name) + "'."); }

ServerMessage cannotUpdateIdentity(std::string_view column) {
    return make(8102, 16, "Cannot update identity column '" + str(column) + "'.");
}

ServerMessage incorrectSyntax(std::string_view near) { return make(102, 15, "Incorrect syntax near '" + str(near) + "'."); }

ServerMessage unclosedQuote(std::string_view remainder) {
    return make(105, 15, "Unclosed quotation mark after the character string '" + str(remainder) + "'.");
}

ServerMessage badWaitforTime(std::string_view text) {
    return make(148, 15, "Incorrect time syntax in time string '" + str(text) + "' used with WAITFOR.");
}

ServerMessage unknownProcedure(std::string_view name) {
    return make(2812, 16, "Could not find stored procedure '" + str(name) + "'.", 62);
}

ServerMessage badProcedureParameter(std::string_view procedure, std::string_view parameter) {
    return make(16902, 16, str(procedure) + ": The value of parameter '" + str(parameter) + "' is invalid.");
}

ServerMessage cursorDoesNotExist(std::int32_t handle) {
    return make(16916, 16, "A cursor with the name '" + std::to_string(handle) + "' does not exist.");
}

ServerMessage unknownParameterType(std::size_t ordinal, std::string_view name, unsigned type) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", type & 0xFF);
    return make(8009, 16,
                "The incoming tabular data stream (TDS) remote procedure call (RPC) protocol stream is incorrect. "
                "Parameter " + std::to_string(ordinal) + " (\"" + str(name) + "\"): Data type " + code + " is unknown.");
}

ServerMessage raised(int number, std::string text, int severity, int state) {
    return make(number, std::clamp(severity, 0, 25), std::move(text), std::clamp(state, 0, 255));
}

}  // namespace wf::standin::errors
