#pragma once
// Where the SQL access tests find the stand-in server, which their CTest
// fixture started, natively and for the Windows build alike.
#include <chrono>
#include <string>

namespace wf::testing {

// The stand-in's TDS port on 127.0.0.1, serving the logins, database and
// tables of sql_standin.conf.
int sqlStandinPort();

// True once the stand-in has taken a batch of exactly this text, within
// `timeout`: it records every batch before running it.
bool standinTookBatch(const std::string& batch, std::chrono::milliseconds timeout);

}  // namespace wf::testing
