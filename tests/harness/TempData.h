#pragma once

#include <string>

// A data set written by a test, benchmark or fuzz target into a fresh
// temporary directory: <root>/Data/Archetypes, Levels and Images. Removed on
// destruction unless kept.
class TempData {
public:
    explicit TempData(const std::string& parent = "");  // "": the system's temporary directory
    ~TempData();
    TempData(const TempData&) = delete;
    TempData& operator=(const TempData&) = delete;

    // The directory that holds Data/, with a trailing slash.
    const std::string& Root() const { return root_; }
    // Writes `content` to Root() + relativePath (for example
    // "Data/Levels/menu.lvl"), creating directories as needed.
    void Write(const std::string& relativePath, const std::string& content) const;
    void Archetype(const std::string& name, const std::string& content) const {
        Write("Data/Archetypes/" + name, content);
    }
    void Level(const std::string& name, const std::string& content) const { Write("Data/Levels/" + name, content); }
    // Copies an image of the shipped data set (Data/Images/<name>).
    void CopyShippedImage(const std::string& name) const;
    // Writes a w x h PNG of one RGBA colour to Data/Images/<name>.
    void SolidImage(const std::string& name, int width, int height, unsigned rgba) const;
    void Keep() { kept_ = true; }  // leaves the directory on disk

private:
    std::string root_;
    bool kept_ = false;
};

// The repository root (where the shipped Data/ lives), with a trailing slash.
std::string SourceRoot();
