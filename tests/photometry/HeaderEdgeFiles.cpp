#include "HeaderEdgeFiles.h"

#include "photometry/EntryLoader.h"

namespace {

const std::string kBody = "1 1000 1 3 2 1 2 0.1 0.2 0.05\r\n1 1 35\r\n0 45 90\r\n0 180\r\n100 80 60\r\n90 70 50\r\n";

std::string Keywords(int i)
{
    return "IESNA:LM-63-2002\r\n[TEST] T-" + std::to_string(i) + "\r\n[MANUFAC] Maker " + std::to_string(i % 7) +
           "\r\n[LUMCAT] C" + std::to_string(i % 3) + " [LAMP] inline\r\n";
}

// `head` padded with one [MORE] line so that `mark` starts at `at`; the
// padding line needs at least 9 bytes.
std::string PlaceAt(const std::string& head, const std::string& mark, const std::string& tail, std::size_t at)
{
    const std::size_t pad = at - head.size();
    return head + "[MORE] " + std::string(pad - 9, 'p') + "\r\n" + mark + tail;
}

}  // namespace

std::vector<GeneratedFile> HeaderEdgeFiles()
{
    const std::size_t front = kCaptionFrontBytes;
    std::vector<GeneratedFile> files;
    int n = 0;
    auto add = [&](const std::string& what, std::string bytes) {
        files.push_back({"gen-" + std::to_string(n) + "-" + what + ".ies", std::move(bytes)});
        ++n;
    };
    for (int shift = -12; shift <= 3; ++shift) {
        const std::size_t at = front + static_cast<std::size_t>(shift);
        // The TILT line, or just its CR LF, across the front's end.
        add("tilt-line", PlaceAt(Keywords(n), "TILT=NONE\r\n", kBody, at - 5));
        add("tilt-crlf", PlaceAt(Keywords(n), "TILT=NONE\r\n", kBody, at - 9));
        // A header value, or the separator after the last one, at the end.
        add("lumens", PlaceAt(Keywords(n) + "TILT=NONE\r\n1 ", "1000", " 1 3 2 1 2 0 0 0 1 1 35\r\n0 1 2\r\n0 90\r\n1 2 3 4 5 6\r\n", at - 2));
        add("watts", PlaceAt(Keywords(n) + "TILT=NONE\r\n", "1 1000 1 3 2 1 2 0 0 0 1 1 35", "\r\n0 1 2\r\n0 90\r\n1 2 3 4 5 6\r\n", at - 29));
        add("fault", PlaceAt(Keywords(n) + "TILT=NONE\r\n", "1 1000 1 3 2 1 2 0 0 0 1 1 3x", " 0 1 2 0 90 1 2 3 4 5 6\r\n", at - 29));
        add("refused", PlaceAt(Keywords(n) + "TILT=NONE\r\n", "1 1000 1 65535 65535 1 2 0 0 0 1 1 35", "\r\n", at - 37));
        add("tilt-block", PlaceAt(Keywords(n) + "TILT=INCLUDE\r\n1 3 0 45 90 ", "1 1 1", "\r\n" + kBody, at - 3));
        add("nul", PlaceAt(Keywords(n) + "TILT=NONE\r\n1 1000 1 3 2 1 2 ", std::string(1, '\0'), "0 0 0 1 1 35\r\n", at));
    }
    // Headers that need a second and a third front, and one without TILT line.
    add("long-header", "[TEST] long\r\n" + std::string(20 * front, 'h') + "\r\n[MANUFAC] late\r\nTILT=NONE\n" + kBody);
    add("longer-header", Keywords(n) + std::string(300 * front, ';') + "\nTILT=none\n" + kBody);
    add("no-tilt", Keywords(n) + std::string(2 * front, '\n') + kBody);
    add("tilt-late", Keywords(n) + std::string(2 * front, '\n') + "TILT=NONE\r\n" + kBody);
    add("nul-late", Keywords(n) + std::string(2 * front, ' ') + std::string(1, '\0') + "TILT=NONE\r\n" + kBody);
    add("cr-only", "[TEST] cr\r[CHANGED] by Orvanek\rTILT=NONE\r" + kBody);
    add("changed-lower", "[TEST] lower\r\n[CHANGED] orvanek\r\nTILT=NONE\r\n" + kBody);
    add("changed-after-tilt", "[TEST] after\r\nTILT=NONE\r\n[CHANGED] Orvanek\r\n" + kBody);
    add("empty-caption", "[MANUFAC]\r\nTILT=NONE\r\n" + kBody);
    return files;
}
