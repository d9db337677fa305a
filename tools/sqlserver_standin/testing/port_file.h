#pragma once
// The file through which a stand-in started for a series of tests tells them
// where it listens: its TDS port on the first line and, when it answers SQL
// Browser requests, that port on the second. Plain C++, so that the Windows
// tests under Wine read it as the native ones do.
#include <cstdio>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

namespace wf::testing {

struct StandinPorts {
    int tds = 0;
    int browser = 0;  // 0 when it answers no SQL Browser requests
};

// Raises std::runtime_error when the file holds no TDS port.
inline StandinPorts readStandinPorts(const std::string& portFile) {
    StandinPorts ports;
    std::ifstream file(portFile);
    if (!(file >> ports.tds) || ports.tds <= 0) throw std::runtime_error("no stand-in port in " + portFile);
    file >> ports.browser;
    return ports;
}

// Replaces the file in one step, so that a reader never sees half of it.
inline void writeStandinPorts(const std::string& portFile, int tds, std::optional<int> browser) {
    const std::string draft = portFile + ".tmp";
    {
        std::ofstream file(draft, std::ios::trunc);
        file << tds << "\n";
        if (browser) file << *browser << "\n";
        if (!file.flush()) throw std::runtime_error("cannot write " + draft);
    }
    if (std::rename(draft.c_str(), portFile.c_str()) != 0) throw std::runtime_error("cannot write " + portFile);
}

}  // namespace wf::testing
