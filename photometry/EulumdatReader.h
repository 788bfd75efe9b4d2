#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "IesReader.h"
#include "EulumdatStated.h"
#include "IesRecord.h"

// EULUMDAT (*.ldt), the European photometric format: one item per line,
// then the angles and the intensities in cd per 1000 lm. The reader keeps
// every item; EulumdatRecord.h maps a file into the program's record.

struct EulumdatFile {
    std::string Company;            // item 1
    int Ityp = 0;                   // 1 point, vertical axis; 2 linear; 3 point, other
    int Isym = 0;                   // 0 none; 1 vertical axis; 2 C0-C180; 3 C90-C270; 4 both
    int Nc = 0;                     // C-planes over 360 degrees
    double Dc = 0;                  // their spacing; 0 when uneven
    int Ng = 0;                     // intensities per plane
    double Dg = 0;                  // their spacing
    std::string ReportNumber;       // item 8
    std::string LuminaireName;      // item 9
    std::string LuminaireNumber;    // item 10
    std::string FileName;           // item 11
    std::string DateUser;           // item 12
    double LuminaireLength = 0;     // items 13-15, mm; length is the diameter when width is 0
    double LuminaireWidth = 0;
    double LuminaireHeight = 0;
    double AreaLength = 0;          // items 16-17: the luminous area, mm
    double AreaWidth = 0;
    std::array<double, 4> AreaHeights{};  // items 18-21: at C0, C90, C180, C270, mm
    double DownwardFlux = 0;        // item 22, %
    double Lorl = 0;                // item 23, light output ratio, %
    double ConversionFactor = 0;    // item 24, for the intensities
    double Tilt = 0;                // item 25, degrees, during the measurement
    std::vector<EulumdatLampSet> LampSets;
    std::array<double, 10> DirectRatios{};
    tArrEx CAngles;                 // all Nc of them
    tArrEx GAngles;                 // Ng
    tArrEx2 Intensities;            // the stored planes, Ng values each, cd/klm

    friend bool operator==(const EulumdatFile&, const EulumdatFile&) = default;
};

// Bounds a hostile file meets before anything is allocated. The stored
// planes must fit the record's 16-bit plane count with one plane to spare
// (a full circle gets its 360-degree plane repeated).
inline constexpr int kMaxEulumdatPlanes = 4 * 65534;
inline constexpr int kMaxEulumdatStoredPlanes = 65534;
inline constexpr int kMaxEulumdatGammas = 65535;
inline constexpr int kMaxEulumdatLampSets = 1000;

// How many of the Nc planes a symmetry stores, or -1 when Nc does not divide
// as the symmetry needs (or the symmetry is not 0 to 4).
[[nodiscard]] int StoredPlaneCount(int isym, int nc);

// Index into CAngles of the first stored plane: Isym 3 starts at C270.
[[nodiscard]] int FirstStoredPlane(int isym, int nc);

// Reads a EULUMDAT file's bytes; a zero byte ends the text, as for IES files.
// A number that cannot be read gives 0 and a fault ("Line N", reading goes
// on); a file whose layout cannot be followed (symmetry, counts, a text that
// ends early) is refused with a message naming its line, and `file` is left
// cleared. Never throws on bad input; allocation is bounded by the counts
// above, kMaxCandelaValues and the size of the text.
ReadResult ReadEulumdat(std::string_view bytes, EulumdatFile& file);

// Only the items through the lamp sets, for a caption: the file's texts,
// counts and lamp sets with the faults and refusals ReadEulumdat gives for
// those lines; no angles or intensities. A front of a file that ends before
// the last lamp set is refused as a file ending there would be. `end` gets
// the offset into `bytes` after the last line read (also of a refusal): a
// front that ends there may have cut that line short.
ReadResult ReadEulumdatHeader(std::string_view bytes, EulumdatFile& file, std::size_t* end = nullptr);

// The number of lines ReadEulumdatHeader reads of a file with `lampSets` sets.
[[nodiscard]] constexpr int EulumdatHeaderLines(std::size_t lampSets)
{
    return 26 + 6 * static_cast<int>(lampSets);
}

