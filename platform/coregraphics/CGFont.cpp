#include "platform/coregraphics/CGFont.hpp"

#include "platform/foundation/NSCache.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <hb.h>

#include <algorithm>
#include <limits>

namespace coregraphics {

// Titles and labels are measured again at every layout pass and for every view that shows
// them, so the clusters of short texts are kept per face (in font units, so every point size
// shares them). Longer text is shaped each time, so that the cache stays small.
constexpr std::size_t shapedTextCountLimit = 512;
constexpr std::size_t shapedTextLengthLimit = 256;

struct CGFont::Shaper {
    hb_font_t* font = nullptr;
    foundation::NSCache<std::string, const std::vector<ClusterAdvance>> shaped{shapedTextCountLimit};
    ~Shaper() { hb_font_destroy(font); }

    std::vector<ClusterAdvance> shape(std::string_view utf8) const;
};

namespace {

// FreeType objects live only while a face is read, so nothing of FreeType is shared between
// threads afterwards; shaping uses HarfBuzz's own immutable font.
struct FreeTypeFace {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FreeTypeFace() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }
};

} // namespace

CGFont::~CGFont() = default;

std::shared_ptr<const CGFont> CGFont::load(const std::string& path) {
    FreeTypeFace ft;
    if (FT_Init_FreeType(&ft.library) != 0 || FT_New_Face(ft.library, path.c_str(), 0, &ft.face) != 0) {
        return nullptr;
    }
    if (!FT_IS_SCALABLE(ft.face) || ft.face->units_per_EM == 0) {
        return nullptr;
    }

    hb_blob_t* blob = hb_blob_create_from_file_or_fail(path.c_str());
    if (blob == nullptr) {
        return nullptr;
    }
    hb_face_t* hbFace = hb_face_create(blob, 0);
    hb_blob_destroy(blob);
    auto shaper = std::make_unique<Shaper>();
    shaper->font = hb_font_create(hbFace);
    hb_face_destroy(hbFace);
    const int upem = ft.face->units_per_EM;
    hb_font_set_scale(shaper->font, upem, upem);
    hb_font_make_immutable(shaper->font);

    std::shared_ptr<CGFont> font(new CGFont());
    font->unitsPerEm_ = upem;
    font->ascent_ = ft.face->ascender;
    font->descent_ = ft.face->descender;
    font->leading_ = std::max(0, ft.face->height - (ft.face->ascender - ft.face->descender));
    if (const char* name = FT_Get_Postscript_Name(ft.face)) {
        font->postScriptName_ = name;
    }
    if (ft.face->family_name != nullptr) {
        font->familyName_ = ft.face->family_name;
    }
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft.face, FT_SFNT_OS2));
        os2 != nullptr && os2->version >= 2) {
        font->capHeight_ = os2->sCapHeight;
        font->xHeight_ = os2->sxHeight;
    } else {
        font->capHeight_ = font->ascent_ * 3 / 4;
        font->xHeight_ = font->ascent_ / 2;
    }
    font->shaper_ = std::move(shaper);
    return font;
}

std::vector<CGFont::ClusterAdvance> CGFont::Shaper::shape(std::string_view utf8) const {
    std::vector<ClusterAdvance> clusters;
    if (utf8.empty()) {
        return clusters;
    }
    // HarfBuzz counts in int; longer text is measured up to that length.
    const int length = static_cast<int>(std::min<std::size_t>(utf8.size(), std::numeric_limits<int>::max()));
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf8(buffer, utf8.data(), length, 0, length);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font, buffer, nullptr, 0);

    unsigned int count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    std::vector<ClusterAdvance> glyphs;
    glyphs.reserve(count);
    for (unsigned int i = 0; i < count; ++i) {
        glyphs.push_back({infos[i].cluster, positions[i].x_advance});
    }
    hb_buffer_destroy(buffer);
    // Right-to-left runs come out in visual order; callers want text order.
    std::stable_sort(glyphs.begin(), glyphs.end(),
                     [](const ClusterAdvance& a, const ClusterAdvance& b) { return a.offset < b.offset; });
    for (const ClusterAdvance& glyph : glyphs) {
        if (!clusters.empty() && clusters.back().offset == glyph.offset) {
            clusters.back().advance += glyph.advance;
        } else {
            clusters.push_back(glyph);
        }
    }
    return clusters;
}

std::shared_ptr<const std::vector<CGFont::ClusterAdvance>> CGFont::clusterAdvances(std::string_view utf8) const {
    if (utf8.size() > shapedTextLengthLimit) {
        return std::make_shared<const std::vector<ClusterAdvance>>(shaper_->shape(utf8));
    }
    const std::string key(utf8);
    if (auto kept = shaper_->shaped.object(key)) {
        return kept;
    }
    auto shaped = std::make_shared<const std::vector<ClusterAdvance>>(shaper_->shape(utf8));
    shaper_->shaped.setObject(shaped, key);
    return shaped;
}

long CGFont::advanceWidth(std::string_view utf8) const {
    long width = 0;
    for (const ClusterAdvance& cluster : *clusterAdvances(utf8)) {
        width += cluster.advance;
    }
    return width;
}

} // namespace coregraphics
