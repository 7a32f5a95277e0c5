#include "pdf/fonts/FontSubset.h"

#include <hb-subset.h>
#include <hb.h>

#include <memory>

namespace {

template <class T, void (*Destroy)(T*)>
struct THbDeleter {
  void operator()(T* p) const { Destroy(p); }
};
using TBlob = std::unique_ptr<hb_blob_t, THbDeleter<hb_blob_t, hb_blob_destroy>>;
using TFace = std::unique_ptr<hb_face_t, THbDeleter<hb_face_t, hb_face_destroy>>;
using TInput = std::unique_ptr<hb_subset_input_t, THbDeleter<hb_subset_input_t, hb_subset_input_destroy>>;

TFace FaceOf(std::string_view fontFile) {
  TBlob blob(hb_blob_create(fontFile.data(), static_cast<unsigned>(fontFile.size()), HB_MEMORY_MODE_READONLY, nullptr, nullptr));
  return TFace(hb_face_create(blob.get(), 0));
}

}  // namespace

std::string SubsetTrueTypeFont(std::string_view fontFile, const std::vector<char32_t>& keep,
                               const std::vector<uint16_t>& glyphs) {
  TFace face = FaceOf(fontFile);
  TInput input(hb_subset_input_create_or_fail());
  if (!input) return {};
  hb_set_t* unicodes = hb_subset_input_unicode_set(input.get());
  for (char32_t c : keep) hb_set_add(unicodes, c);
  hb_set_t* glyphSet = hb_subset_input_glyph_set(input.get());
  for (uint16_t g : glyphs) hb_set_add(glyphSet, g);
  hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_RETAIN_GIDS);
  TFace subset(hb_subset_or_fail(face.get(), input.get()));
  if (!subset) return {};
  TBlob blob(hb_face_reference_blob(subset.get()));
  unsigned length = 0;
  const char* data = hb_blob_get_data(blob.get(), &length);
  return length == 0 ? std::string() : std::string(data, length);
}

std::string SubsetTag(std::string_view subsetFile) {
  uint32_t hash = 2166136261u;
  for (char c : subsetFile) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  std::string tag(6, 'A');
  for (char& letter : tag) {
    letter = static_cast<char>('A' + hash % 26);
    hash /= 26;
  }
  return tag;
}

unsigned GlyphCount(std::string_view fontFile) { return hb_face_get_glyph_count(FaceOf(fontFile).get()); }

bool HasTrueTypeOutlines(std::string_view fontFile) {
  TFace face = FaceOf(fontFile);
  TBlob glyf(hb_face_reference_table(face.get(), HB_TAG('g', 'l', 'y', 'f')));
  return hb_blob_get_length(glyf.get()) > 0;
}
