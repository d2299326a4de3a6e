// Outline points thinned for drawing, kept per outline and zoom (see the header).
#include "app/view_outline_points.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/canvas_drawing.h"
#include "platform/canvas_path.h"
#include "platform/polyline_simplify.h"

namespace {

// One thinned outline. The key is the outline's content (a hash of every
// coordinate and of the curve lengths, with the point count) and the scale:
// an edited gear, another gear, or another zoom gives another key.
struct ThinnedOutline {
  bool used = false;
  bool thinned = false;  // false: asked for once, drawn whole so far
  std::uint64_t hash = 0;
  std::size_t count = 0;
  double devicePixelsPerMm = 0.0;
  std::uint64_t lastUse = 0;
  std::vector<OutlinePoint> points;
};

// A frame draws at most two gears, or a gear and a rack; four slots keep them
// while the user switches between the tabs.
std::array<ThinnedOutline, 4> gThinnedOutlines;
std::uint64_t gUseClock = 0;

// Every point of an outline asked for the first time; scaled points and
// their thinning; all reused from call to call.
std::vector<OutlinePoint> gAllPoints;
std::vector<PathPoint> gScaled;
std::vector<PathPoint> gThinned;

// FNV-1a over 64-bit words.
void HashWord(std::uint64_t word, std::uint64_t* hash) {
  *hash ^= word;
  *hash *= 0x100000001b3ull;
}

// FNV-1a in four lanes (x and y of even and of odd points), so that the
// multiplications of one point do not wait for those of the point before:
// every frame hashes every outline point.
std::uint64_t HashOutline(const Outline& outline, std::size_t* count) {
  std::uint64_t lanes[4] = {0xcbf29ce484222325ull, 0x84222325cbf29ce4ull, 0x9ce484222325cbf2ull,
                            0x2325cbf29ce48422ull};
  std::size_t n = 0;
  for (const OutlineCurve& curve : outline) {
    HashWord(curve.points.size(), &lanes[0]);
    const std::size_t m = curve.points.size();
    const OutlinePoint* p = curve.points.data();
    std::size_t i = 0;
    for (; i + 1 < m; i += 2) {
      HashWord(std::bit_cast<std::uint64_t>(p[i].x), &lanes[0]);
      HashWord(std::bit_cast<std::uint64_t>(p[i].y), &lanes[1]);
      HashWord(std::bit_cast<std::uint64_t>(p[i + 1].x), &lanes[2]);
      HashWord(std::bit_cast<std::uint64_t>(p[i + 1].y), &lanes[3]);
    }
    if (i < m) {
      HashWord(std::bit_cast<std::uint64_t>(p[i].x), &lanes[0]);
      HashWord(std::bit_cast<std::uint64_t>(p[i].y), &lanes[1]);
    }
    n += m;
  }
  *count = n;
  std::uint64_t hash = lanes[0];
  for (int k = 1; k < 4; ++k) HashWord(lanes[k], &hash);
  return hash;
}

// Thins the outline into slot->points: the thinning works on the points scaled
// to device pixels (turning and moving the figure changes no distance), and
// each point it keeps is found again, in order, among the scaled points, so
// that the outline's own coordinates are kept.
void ThinOutline(const Outline& outline, double devicePixelsPerMm, ThinnedOutline* slot) {
  gScaled.clear();
  for (const OutlineCurve& curve : outline) {
    for (const OutlinePoint& p : curve.points) gScaled.push_back({p.x * devicePixelsPerMm, p.y * devicePixelsPerMm});
  }
  slot->points.clear();
  if (gScaled.empty()) return;
  PolylineThinning thinning;
  thinning.minSpacing = kStrokePointSpacing;
  thinning.tolerance = 0.5 * kStraightRunTolerance;
  gThinned.clear();
  AppendThinnedPolyline(gScaled.data(), gScaled.size(), PolylineShape::kClosed, thinning, &gThinned);
  // The closed figure's thinning ends on its first point again: leave it out.
  const std::size_t kept = gThinned.size() > 1 ? gThinned.size() - 1 : gThinned.size();
  std::size_t i = 0;
  for (const OutlineCurve& curve : outline) {
    for (const OutlinePoint& p : curve.points) {
      // Compared bit for bit: copies are identical, and a NaN matches itself.
      if (slot->points.size() < kept &&
          std::memcmp(&gScaled[i], &gThinned[slot->points.size()], sizeof(PathPoint)) == 0) {
        slot->points.push_back(p);
      }
      ++i;
    }
  }
}

}  // namespace

const std::vector<OutlinePoint>& GetDrawnOutlinePoints(const Outline& outline, double devicePixelsPerMm) {
  std::size_t count = 0;
  const std::uint64_t hash = HashOutline(outline, &count);
  ++gUseClock;
  ThinnedOutline* oldest = &gThinnedOutlines[0];
  for (ThinnedOutline& slot : gThinnedOutlines) {
    if (slot.used && slot.hash == hash && slot.count == count && slot.devicePixelsPerMm == devicePixelsPerMm) {
      slot.lastUse = gUseClock;
      if (!slot.thinned) {
        ThinOutline(outline, devicePixelsPerMm, &slot);
        slot.thinned = true;
      }
      return slot.points;
    }
    if (!slot.used || (oldest->used && slot.lastUse < oldest->lastUse)) oldest = &slot;
  }
  // Asked for the first time: every point, and the thinning only when the same
  // outline comes again at the same scale. While the wheel zooms, each frame
  // has a scale of its own and would pay for a thinning it never reuses.
  ThinnedOutline& slot = *oldest;
  slot.used = true;
  slot.thinned = false;
  slot.hash = hash;
  slot.count = count;
  slot.devicePixelsPerMm = devicePixelsPerMm;
  slot.lastUse = gUseClock;
  slot.points.clear();
  gAllPoints.clear();
  gAllPoints.reserve(count);
  for (const OutlineCurve& curve : outline) gAllPoints.insert(gAllPoints.end(), curve.points.begin(), curve.points.end());
  return gAllPoints;
}
