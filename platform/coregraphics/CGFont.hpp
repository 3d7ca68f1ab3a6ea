#pragma once

// A font face loaded from a font file: its names, its vertical metrics and the advances of
// shaped text (HarfBuzz, with the font's kerning). All values are in font units; scale by
// pointSize / unitsPerEm. A face is immutable once loaded and safe to use from any thread; the
// shaping of short texts is kept (a bounded cache per face), so measuring a title again is cheap.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace coregraphics {

class CGFont {
public:
    // No face when the file is missing or is not a font FreeType can read.
    static std::shared_ptr<const CGFont> load(const std::string& path);
    ~CGFont();

    CGFont(const CGFont&) = delete;
    CGFont& operator=(const CGFont&) = delete;

    const std::string& postScriptName() const { return postScriptName_; }
    const std::string& familyName() const { return familyName_; }
    int unitsPerEm() const { return unitsPerEm_; }
    int ascent() const { return ascent_; }
    // Below the baseline, so negative.
    int descent() const { return descent_; }
    int leading() const { return leading_; }
    int capHeight() const { return capHeight_; }
    int xHeight() const { return xHeight_; }

    struct ClusterAdvance {
        std::size_t offset; // byte offset in the text where the cluster starts
        int advance;        // font units
    };
    // The shaped advance of each cluster (a run of bytes that shapes as a unit), in text order.
    // Invalid UTF-8 shapes as replacement characters. Never null.
    std::shared_ptr<const std::vector<ClusterAdvance>> clusterAdvances(std::string_view utf8) const;
    // The sum of all advances.
    long advanceWidth(std::string_view utf8) const;

private:
    struct Shaper;
    CGFont() = default;

    std::string postScriptName_;
    std::string familyName_;
    int unitsPerEm_ = 1000;
    int ascent_ = 0;
    int descent_ = 0;
    int leading_ = 0;
    int capHeight_ = 0;
    int xHeight_ = 0;
    std::unique_ptr<Shaper> shaper_;
};

} // namespace coregraphics
