#include "ResourceScript.h"

#include "vel/host/LittleEndian.h"
#include "vel/host/Resources.h"
#include "vel/host/String.h"

#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>

namespace VelRc {

namespace {

using Host::TResourceType;

uint16_t TypeNumber(TResourceType type) {
    return static_cast<uint16_t>(type);
}

// Splits a line into words; a quoted word may hold blanks, \" and \\.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    for (size_t i = 0; i < line.size();) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
        } else if (line[i] == '#') {
            break;
        } else if (line[i] == '"') {
            std::string word;
            for (++i; i < line.size() && line[i] != '"'; ++i)
                word += line[i] == '\\' && i + 1 < line.size() ? line[++i] : line[i];
            if (i >= line.size())
                throw std::runtime_error("string not closed");
            ++i;
            words.push_back(word);
        } else {
            const size_t end = line.find_first_of(" \t\r#", i);
            words.push_back(line.substr(i, end - i));
            i = end == std::string::npos ? line.size() : end;
        }
    }
    return words;
}

unsigned long Number(const std::string& word, unsigned long max) {
    size_t used = 0;
    const unsigned long value = std::stoul(word, &used, 0);
    if (used != word.size() || value > max)
        throw std::runtime_error("bad number " + word);
    return value;
}

class TCompiler {
public:
    std::vector<TResource> Compile(const std::filesystem::path& script) {
        Include(script);
        for (const uint16_t block : FStringBlocks)
            Add(TResourceType::rtString, u"", block, StringBlockResource(FStrings, block));
        if (FVersion)
            Add(TResourceType::rtVersion, u"", 1,
                VersionResource(*FVersion, FLanguage, FCodePage, FVersionTexts));
        return std::move(FResources);
    }

private:
    void Include(const std::filesystem::path& script) {
        std::ifstream in(script);
        if (!in)
            throw std::runtime_error(script.string() + ": cannot be opened");
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            try {
                Statement(Words(line), in, number, script);
            } catch (const std::exception& e) {
                throw std::runtime_error(script.string() + ":" + std::to_string(number) + ": " +
                                         e.what());
            }
        }
    }

    void Statement(const std::vector<std::string>& w, std::istream& in, int& line,
                   const std::filesystem::path& script) {
        if (w.empty())
            return;
        const auto need = [&](size_t count) {
            if (w.size() != count)
                throw std::runtime_error(w[0] + " takes " + std::to_string(count - 1) +
                                         " arguments");
        };
        if (w[0] == "INCLUDE") {
            need(2);
            Include(script.parent_path() / w[1]);
        } else if (w[0] == "LANGUAGE") {
            need(3);
            FLanguage = static_cast<uint16_t>(Number(w[1], 0xFFFF));
            FCodePage = static_cast<uint16_t>(Number(w[2], 0xFFFF));
        } else if (w[0] == "DESCRIPTION") {
            need(2);
            const std::u16string text = Host::FromAnsi(w[1]);
            Add(TResourceType::rtRCData, u"DESCRIPTION", 0, TextResource(text));
            FVersionTexts[u"FileDescription"] = text;
        } else if (w[0] == "PLATFORMS") {
            need(2);
            TBytes platforms;
            Host::AppendDWord(platforms, static_cast<uint32_t>(Number(w[1], 0xFFFFFFFF)));
            Add(TResourceType::rtRCData, u"PLATFORMTARGETS", 0, platforms);
        } else if (w[0] == "VERSION") {
            need(2);
            Version(w[1]);
        } else if (w[0] == "STRING") {
            need(3);
            const auto id = static_cast<uint16_t>(Number(w[1], 0xFFFF));
            if (!FStrings.emplace(id, Host::FromAnsi(w[2])).second)
                throw std::runtime_error("string " + w[1] + " defined twice");
            FStringBlocks.insert(static_cast<uint16_t>(id / 16 + 1));
        } else if (w[0] == "BITMAP" || w[0] == "ICON") {
            need(2);
            const TIndexedPicture picture = Picture(in, line);
            if (w[0] == "BITMAP")
                Add(TResourceType::rtBitmap, Host::FromAnsi(w[1]), 0, BitmapResource(picture));
            else
                AddIcon(Host::FromAnsi(w[1]), picture);
        } else {
            throw std::runtime_error("unknown statement " + w[0]);
        }
    }

    void Version(const std::string& text) {
        std::array<uint16_t, 4> version{};
        std::istringstream parts(text);
        std::string part;
        size_t count = 0;
        while (std::getline(parts, part, '.') && count < 4)
            version[count++] = static_cast<uint16_t>(Number(part, 0xFFFF));
        if (count != 4 || parts)
            throw std::runtime_error("a version is four numbers: " + text);
        FVersion = version;
        FVersionTexts[u"FileVersion"] = FVersionTexts[u"ProductVersion"] = Host::FromAnsi(text);
    }

    TIndexedPicture Picture(std::istream& in, int& line) {
        TIndexedPicture picture;
        std::string row;
        while (++line, std::getline(in, row)) {
            const std::vector<std::string> w = Words(row);
            if (w.size() == 1 && w[0] == "END")
                break;
            if (w.size() != 1)
                throw std::runtime_error("a picture row is one word of hexadecimal digits");
            std::vector<uint8_t> pixels;
            for (const char c : w[0])
                pixels.push_back(HexDigit(c));
            if (!picture.empty() && pixels.size() != picture.front().size())
                throw std::runtime_error("picture rows differ in length");
            picture.push_back(std::move(pixels));
        }
        if (!in || picture.empty())
            throw std::runtime_error("picture without rows or without END");
        return picture;
    }

    static uint8_t HexDigit(char c) {
        if (c >= '0' && c <= '9')
            return static_cast<uint8_t>(c - '0');
        if (c >= 'A' && c <= 'F')
            return static_cast<uint8_t>(c - 'A' + 10);
        if (c >= 'a' && c <= 'f')
            return static_cast<uint8_t>(c - 'a' + 10);
        throw std::runtime_error(std::string("not a hexadecimal digit: ") + c);
    }

    void AddIcon(const std::u16string& name, const TIndexedPicture& picture) {
        const auto number = static_cast<uint16_t>(++FIcons);
        const TBytes image = IconResource(picture);
        Add(TResourceType::rtIcon, u"", number, image);
        Add(TResourceType::rtGroupIcon, name, 0, IconGroupResource(picture, number, image.size()));
    }

    void Add(TResourceType type, const std::u16string& name, uint16_t number, TBytes data) {
        FResources.push_back({TypeNumber(type), name, number, FLanguage, std::move(data)});
    }

    std::vector<TResource> FResources;
    uint16_t FLanguage = 0;
    uint16_t FCodePage = 0;
    std::map<uint16_t, std::u16string> FStrings;
    std::set<uint16_t> FStringBlocks;
    std::optional<std::array<uint16_t, 4>> FVersion;
    std::map<std::u16string, std::u16string> FVersionTexts;
    int FIcons = 0;
};

} // namespace

std::vector<TResource> CompileScript(const std::filesystem::path& script) {
    return TCompiler().Compile(script);
}

} // namespace VelRc
