#pragma once

#include <filesystem>
#include <string>

// A temporary folder removed with everything in it when the value goes.
class TempTree {
public:
    TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;
    ~TempTree();

    [[nodiscard]] const std::filesystem::path& Root() const { return root_; }
    // The root's path with a trailing "/".
    [[nodiscard]] std::string Folder() const { return root_.string() + "/"; }
    std::filesystem::path MakeFolder(const std::string& relative) const;
    void Write(const std::string& relative, const std::string& text) const;
    // A small valid file whose header names the given manufacturer and lamp.
    void WriteIes(const std::string& relative, const std::string& manufacturer, const std::string& lamp = {},
                  int planes = 1) const;

private:
    std::filesystem::path root_;
};

// A photometric file's text with the given keywords and `planes` planes.
[[nodiscard]] std::string IesText(const std::string& manufacturer, const std::string& lamp, int planes);
