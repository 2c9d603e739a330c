#include "project/picture.h"

#include <array>
#include <utility>

#include "project/picture_size.h"

namespace pc::project {
namespace {

struct KindName {
  PictureKind kind;
  std::string_view name;
};
constexpr std::array<KindName, 5> kNames{{
    {PictureKind::Bitmap, "TBitmap"},
    {PictureKind::Jpeg, "TJPEGImage"},
    {PictureKind::Metafile, "TMetafile"},
    {PictureKind::Icon, "TIcon"},
    {PictureKind::Png, "TPNGObject"},
}};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

}  // namespace

std::string_view PictureClassName(PictureKind kind) {
  for (const auto& k : kNames)
    if (k.kind == kind) return k.name;
  return {};
}

std::optional<PictureKind> PictureKindFromClassName(std::string_view class_name) {
  for (const auto& k : kNames)
    if (k.name == class_name) return k.kind;
  return std::nullopt;
}

std::optional<PictureKind> PictureKindFromExtension(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  std::string ext;
  for (char c : extension) ext.push_back(Lower(c));
  if (ext == "bmp") return PictureKind::Bitmap;
  if (ext == "jpg" || ext == "jpeg") return PictureKind::Jpeg;
  if (ext == "emf" || ext == "wmf") return PictureKind::Metafile;
  if (ext == "ico") return PictureKind::Icon;
  if (ext == "png") return PictureKind::Png;
  return std::nullopt;
}

bool PictureFromFileBytes(PictureKind kind, std::string file_bytes, TPicture& picture) {
  std::optional<PictureSize> size;
  switch (kind) {
    case PictureKind::Bitmap: size = ReadBmpSize(file_bytes); break;
    case PictureKind::Jpeg: size = ReadJpegSize(file_bytes); break;
    case PictureKind::Metafile: size = ReadMetafileSize(file_bytes); break;
    case PictureKind::Icon: size = ReadIconSize(file_bytes); break;
    case PictureKind::Png: size = ReadPngSize(file_bytes); break;
    case PictureKind::None: break;
  }
  if (!size) return false;
  picture.Kind = kind;
  picture.Data = std::move(file_bytes);
  picture.Width = size->Width;
  picture.Height = size->Height;
  return true;
}

}  // namespace pc::project
