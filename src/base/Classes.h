#pragma once
// Platform-free string list with text loading.
#include <string>
#include <string_view>
#include <vector>

class TStringList {
  public:
    TStringList() = default;
    explicit TStringList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    int Count() const { return static_cast<int>(lines_.size()); }
    const std::string& operator[](int index) const { return lines_.at(static_cast<std::size_t>(index)); }
    std::string& operator[](int index) { return lines_.at(static_cast<std::size_t>(index)); }
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    void Insert(int index, std::string line);
    void Delete(int index);
    void Clear() { lines_.clear(); }
    int IndexOf(std::string_view line) const; // ignoring ASCII case
    const std::vector<std::string>& Lines() const { return lines_; }

    // Lines joined, each ended by CR LF.
    std::string Text() const;
    // Splits at CR LF, CR or LF; a final line break adds no empty line.
    void SetText(std::string_view text);
    // Replaces the lines by those of the file; EFOpenError "Datei %s kann nicht geöffnet werden"
    // when it cannot be opened, the lines unchanged.
    void LoadFromFile(const std::string& fileName);

    friend bool operator==(const TStringList&, const TStringList&) = default;

  private:
    std::vector<std::string> lines_;
};
