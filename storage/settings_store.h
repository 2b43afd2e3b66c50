#pragma once
// The settings file in INI form; the file is opened and closed around every single read or write.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace storage {

class SettingsStore
{
public:
    void setPath(std::string path);
    const std::string& path() const;

    int32_t ReadSettingInt(const std::string& section, const std::string& key, int32_t defaultValue) const;
    std::string ReadSettingStr(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const;
    void WriteSettingInt(const std::string& section, const std::string& key, int32_t value);
    void WriteSettingStr(const std::string& section, const std::string& key, const std::string& value);

    // One section as a whole: its keys and values in file order, as ReadSettingStr reads them (a key that
    // comes twice, or in two sections of the name, is read once, the first time).
    using SectionKeys = std::vector<std::pair<std::string, std::string>>;
    SectionKeys ReadSection(const std::string& section) const;
    // Replaces every section of that name, comments in it included, with one holding `keys`, in a single
    // write: where the first of them stood, or at the end. No keys removes the section; removing a section
    // that is not there writes nothing.
    void ReplaceSection(const std::string& section, const SectionKeys& keys);

private:
    std::string m_path;
};

// The conversion rules of ReadSettingInt on a value text: 0x/$ hex, leading spaces, sign, whole text, 32
// bits.
bool parseSettingInt(const std::string& text, int32_t& result);

// Removes what saves of the settings file `path` killed before their rename left beside it
// ("<name>.XXXXXX", regular files of this user): they are of no use and would pile up. Call while holding
// the folder's lock, so that no save of ours is running.
void removeLeftoverTemporaries(const std::string& path);

} // namespace storage
