#include "vel/formats/Annotation.h"

#include "AnnotationDrawing.h"
#include "vel/batch/Shard.h"

#include <vel/host/Bitmap.h>
#include <vel/host/GraphicKinds.h>
#include <vel/host/WholeFile.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace VelFormats {

namespace {

constexpr std::size_t DefaultNameLimit = 255;

std::string Flattened(std::string_view path) {
    std::string name;
    for (const char c : path) {
        if (c == '%')
            name += "%25";
        else if (c == '/')
            name += "%2F";
        else if (c == '#')
            name += "%23";
        else
            name += c;
    }
    return name;
}

std::size_t NameLimit(const std::string& folder) {
    const long limit = pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : DefaultNameLimit;
}

} // namespace

std::string AnnotationFileName(const VelBatch::TPageResult& result, std::size_t nameLimit) {
    const std::string& path = result.Path;
    const std::string page = result.Pages > 1 ? '#' + std::to_string(result.Page) : "";
    const std::string whole = Flattened(path) + page + ".png";
    if (whole.size() <= nameLimit)
        return whole;
    char hash[24];
    std::snprintf(hash, sizeof hash, "-%016llx",
                  static_cast<unsigned long long>(VelBatch::PathHash(path)));
    const std::string suffix = hash + page + ".png";
    std::string base = Flattened(std::string_view(path).substr(path.rfind('/') + 1));
    base.resize(std::min(base.size(), nameLimit - suffix.size()));
    return base + suffix;
}

void MakeAnnotationFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error && !std::filesystem::is_directory(folder, error))
        error = std::make_error_code(std::errc::not_a_directory);
    if (error)
        throw std::runtime_error("cannot make the folder '" + folder +
                                 "' for the annotated pictures (--annotate): " + error.message());
}

std::optional<std::string> WriteAnnotation(Host::TPicture& picture,
                                           const VelBatch::TPageResult& result,
                                           const VelBatch::TScanSettings& settings) {
    const std::string& folder = settings.AnnotateFolder.value_or(".");
    const Vel::TRect* rect = settings.Rect ? &*settings.Rect : nullptr;
    const std::string file = folder + '/' + AnnotationFileName(result, NameLimit(folder));
    try {
        Host::TBitmap bitmap;
        bitmap.Assign(picture.Graphic());
        bitmap.SetPixelFormat(Host::TPixelFormat::pf32bit);
        DrawAnnotation(bitmap, result, rect);
        const std::unique_ptr<Host::TGraphic> png = Host::CreateGraphicOfKind(u"PNG");
        png->Assign(&bitmap);
        std::ostringstream bytes;
        png->SaveToStream(bytes);
        Host::ReplaceWholeFile(file, bytes.view());
        return std::nullopt;
    } catch (const std::exception& error) {
        return "cannot write the annotated picture '" + file + "': " + error.what();
    }
}

} // namespace VelFormats
