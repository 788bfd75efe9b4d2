#pragma once

#include <string>
#include <vector>

// What a EULUMDAT file states of itself beyond its distribution, as read:
// the information panel shows it beside the values worked out from the record.

// One lamp set: six lines of the file.
struct EulumdatLampSet {
    int Count = 0;                  // negative: absolute photometry
    std::string Type;
    double Flux = 0;                // lm, of the whole set
    std::string ColourTemperature;  // a text in real files ("3000 K", "ww")
    std::string ColourRendering;    // CRI group or index, also a text
    double Watts = 0;               // including ballast

    friend bool operator==(const EulumdatLampSet&, const EulumdatLampSet&) = default;
};

struct EulumdatStated {
    int Ityp = 0;              // type indicator (item 2)
    int Isym = 0;              // symmetry indicator (item 3)
    double DownwardFlux = 0;   // downward flux fraction, % (item 22)
    double Lorl = 0;           // light output ratio, % (item 23)
    std::vector<EulumdatLampSet> LampSets;

    friend bool operator==(const EulumdatStated&, const EulumdatStated&) = default;
};
