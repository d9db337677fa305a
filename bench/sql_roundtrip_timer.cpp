// Sends N small batches one by one through the installer's SQL Server access
// layer to a server on 127.0.0.1, each as its own statement, as the definition
// script runner does.
//
//   sql_roundtrip_timer PORT BATCHES
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/odbc/odbc_connection.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: sql_roundtrip_timer PORT BATCHES\n");
        return 2;
    }
    const std::string port = argv[1];
    const long batches = std::strtol(argv[2], nullptr, 10);
    try {
        wf::OdbcConnectionFactory factory;
        auto connection = factory.createConnection();
        connection->open("Provider=SQLOLEDB.1;Persist Security Info=True;Data Source=127.0.0.1," + port +
                         ";Initial Catalog=ACME;User ID=sa;Password=Secret1");
        for (long batch = 0; batch < batches; ++batch) connection->execute("set nocount on");
        connection->close();
    } catch (const wf::RunError& failure) {
        std::fprintf(stderr, "sql_roundtrip_timer: %ld %s\n", failure.number(), failure.description().c_str());
        return 1;
    }
    return 0;
}
