#include "TempTree.h"

#include <atomic>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

TempTree::TempTree()
{
    static std::atomic<int> counter{0};
    root_ = fs::temp_directory_path() /
            ("kandora-browser-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(root_);
    fs::create_directories(root_);
}

TempTree::~TempTree()
{
    std::error_code ignored;
    // Give back permissions tests took away, or removal fails.
    for (auto it = fs::recursive_directory_iterator(root_, fs::directory_options::skip_permission_denied, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            ::chmod(it->path().c_str(), 0755);
    }
    ::chmod(root_.c_str(), 0755);
    fs::remove_all(root_, ignored);
}

fs::path TempTree::MakeFolder(const std::string& relative) const
{
    fs::create_directories(root_ / relative);
    return root_ / relative;
}

void TempTree::Write(const std::string& relative, const std::string& text) const
{
    std::ofstream(root_ / relative, std::ios::binary) << text;
}

std::string IesText(const std::string& manufacturer, const std::string& lamp, int planes)
{
    std::string text = "IESNA:LM-63-2002\r\n[TEST] T1\r\n";
    if (!manufacturer.empty())
        text += "[MANUFAC] " + manufacturer + "\r\n";
    if (!lamp.empty())
        text += "[LAMP] " + lamp + "\r\n";
    text += "TILT=NONE\r\n1 1000 1 3 " + std::to_string(planes) + " 1 2 0 0 0\r\n1 1 10\r\n0 45 90\r\n";
    for (int p = 0; p < planes; ++p)
        text += std::to_string(p * 90) + " ";
    text += "\r\n";
    for (int p = 0; p < planes; ++p)
        text += "100 80 10\r\n";
    return text;
}

void TempTree::WriteIes(const std::string& relative, const std::string& manufacturer, const std::string& lamp,
                        int planes) const
{
    Write(relative, IesText(manufacturer, lamp, planes));
}
