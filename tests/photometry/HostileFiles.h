#pragma once

#include <functional>
#include <string>
#include <vector>

// Files a user's folder may hold that no photometric program wrote: each
// with the outcome reading it through LoadEntry must give.
enum class Expected { Reads, ReadsWithHeaderFault, Refused };

struct HostileFile {
    std::string name;                    // file name, also the case's name
    std::function<std::string()> bytes;  // made on demand: some are large
    Expected expected;
    std::string message;                 // part of the message expected (fault or refusal)
};

// The cases the tests read every time (each at most about 10 MB).
[[nodiscard]] std::vector<HostileFile> HostileFiles();

// Files of just under the 64 MB bound built to cost the reader the most
// memory or time; for measurements rather than every test run.
[[nodiscard]] std::vector<HostileFile> HeavyHostileFiles();

// EULUMDAT files no photometric program wrote, with the outcome ReadEulumdat
// must give (a fault message is "Line N", as for IES files).
[[nodiscard]] std::vector<HostileFile> HostileEulumdatFiles();

[[nodiscard]] const char* ExpectedName(Expected expected);
