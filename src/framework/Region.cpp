#include "framework/Region.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <utility>

namespace bw {

namespace {

struct Span {
    int left;
    int right; // exclusive
};

int clampCoord(long long v) {
    return static_cast<int>(std::clamp<long long>(v, -Region::limit, Region::limit));
}

// Collects a region band by band from the top down. Empty spans are dropped, touching spans
// merged, and a band that continues the one above it with the same columns extends it, so the
// result is canonical.
class RegionBuilder {
public:
    void addBand(int top, int bottom, std::span<const Span> spans) {
        if (top >= bottom) return;
        merged_.clear();
        for (const Span& s : spans) {
            if (s.left >= s.right) continue;
            if (!merged_.empty() && s.left <= merged_.back().right)
                merged_.back().right = std::max(merged_.back().right, s.right);
            else
                merged_.push_back(s);
        }
        if (merged_.empty()) return;
        if (continuesLastBand(top)) {
            for (std::size_t i = lastBand_; i < rects_.size(); ++i) rects_[i].bottom = bottom;
            return;
        }
        lastBand_ = rects_.size();
        for (const Span& s : merged_) rects_.push_back(RECT{s.left, top, s.right, bottom});
    }

    std::vector<RECT> take() { return std::move(rects_); }

private:
    bool continuesLastBand(int top) const {
        if (rects_.empty() || rects_.back().bottom != top) return false;
        if (rects_.size() - lastBand_ != merged_.size()) return false;
        for (std::size_t i = 0; i < merged_.size(); ++i) {
            const RECT& r = rects_[lastBand_ + i];
            if (r.left != merged_[i].left || r.right != merged_[i].right) return false;
        }
        return true;
    }

    std::vector<RECT> rects_;
    std::size_t lastBand_ = 0;
    std::vector<Span> merged_;
};

// One past the last rectangle of the band that starts at `first`.
std::size_t bandEnd(const std::vector<RECT>& rects, std::size_t first) {
    std::size_t i = first + 1;
    while (i < rects.size() && rects[i].top == rects[first].top) ++i;
    return i;
}

bool inResult(int mode, bool inA, bool inB) {
    switch (mode) {
    case RGN_AND:
        return inA && inB;
    case RGN_OR:
        return inA || inB;
    case RGN_XOR:
        return inA != inB;
    case RGN_DIFF:
        return inA && !inB;
    default:
        return false;
    }
}

// Combines the columns of one band of each region, walking the edges of both from the left.
void combineSpans(std::span<const RECT> a, std::span<const RECT> b, int mode,
                  std::vector<Span>& out) {
    out.clear();
    // Edge k of a list is the left (even k) or right (odd k) side of rectangle k / 2; being
    // past an odd number of edges means being inside.
    const auto edge = [](std::span<const RECT> list, std::size_t k) {
        if (k >= 2 * list.size()) return INT_MAX;
        const RECT& r = list[k / 2];
        return k % 2 ? r.right : r.left;
    };
    std::size_t ka = 0, kb = 0;
    bool inside = false;
    int start = 0;
    while (ka < 2 * a.size() || kb < 2 * b.size()) {
        const int x = std::min(edge(a, ka), edge(b, kb));
        while (edge(a, ka) == x) ++ka;
        while (edge(b, kb) == x) ++kb;
        const bool now = inResult(mode, ka % 2 == 1, kb % 2 == 1);
        if (now && !inside) start = x;
        if (!now && inside) out.push_back(Span{start, x});
        inside = now;
    }
}

// Columns [first, last) whose pixel centres lie in [x0, x1).
Span centresWithin(double x0, double x1) {
    const double lo =
        std::clamp(std::ceil(x0 - 0.5), double(-Region::limit), double(Region::limit));
    const double hi =
        std::clamp(std::ceil(x1 - 0.5), double(-Region::limit), double(Region::limit));
    return Span{static_cast<int>(lo), static_cast<int>(hi)};
}

struct Edge {
    double x0, y0, x1, y1;
    int yMin, yMax; // rows whose centres the edge crosses: yMin <= y < yMax
    int direction;  // +1 downwards, -1 upwards
    double xAt(double y) const { return x0 + (y - y0) * (x1 - x0) / (y1 - y0); }
};

} // namespace

Region Region::fromRect(const RECT& r) {
    const int left = clampCoord(std::min(r.left, r.right));
    const int right = clampCoord(std::max(r.left, r.right));
    const int top = clampCoord(std::min(r.top, r.bottom));
    const int bottom = clampCoord(std::max(r.top, r.bottom));
    if (left == right || top == bottom) return Region{};
    return Region(std::vector<RECT>{RECT{left, top, right, bottom}});
}

Region Region::fromEllipse(const RECT& bounds) {
    const Region box = fromRect(bounds);
    if (box.empty()) return box;
    const RECT b = box.rects_.front();
    const double cx = (double(b.left) + b.right) / 2, cy = (double(b.top) + b.bottom) / 2;
    const double rx = (double(b.right) - b.left) / 2, ry = (double(b.bottom) - b.top) / 2;
    RegionBuilder builder;
    const int first = std::max(b.top, -rasterLimit), last = std::min(b.bottom, rasterLimit);
    for (int y = first; y < last; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        const double halfWidth = rx * std::sqrt(std::max(0.0, 1 - dy * dy));
        // Centres on the outline belong to the ellipse: [cx - w, cx + w] inclusive.
        const Span s{static_cast<int>(std::ceil(cx - halfWidth - 0.5)),
                     static_cast<int>(std::floor(cx + halfWidth - 0.5)) + 1};
        builder.addBand(y, y + 1, std::span(&s, 1));
    }
    return Region(builder.take());
}

Region Region::fromPolygon(std::span<const POINT> points, int fillMode) {
    std::vector<Edge> edges;
    edges.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const POINT& p = points[i];
        const POINT& q = points[(i + 1) % points.size()];
        const int py = clampCoord(p.y), qy = clampCoord(q.y);
        if (py == qy) continue; // horizontal edges cross no row centre
        Edge e{double(clampCoord(p.x)),
               double(py),
               double(clampCoord(q.x)),
               double(qy),
               std::max(std::min(py, qy), -rasterLimit),
               std::min(std::max(py, qy), rasterLimit),
               qy > py ? 1 : -1};
        if (e.yMin < e.yMax) edges.push_back(e);
    }
    if (edges.empty()) return Region{};
    std::sort(edges.begin(), edges.end(),
              [](const Edge& l, const Edge& r) { return l.yMin < r.yMin; });

    struct Crossing {
        double x;
        int direction;
    };
    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    std::vector<Span> spans;
    RegionBuilder builder;
    std::size_t next = 0;
    int y = edges.front().yMin;
    while (next < edges.size() || !active.empty()) {
        if (active.empty()) y = std::max(y, edges[next].yMin); // skip rows between parts
        while (next < edges.size() && edges[next].yMin <= y) active.push_back(&edges[next++]);
        std::erase_if(active, [y](const Edge* e) { return e->yMax <= y; });
        if (active.empty()) continue;

        const double centre = y + 0.5;
        crossings.clear();
        for (const Edge* e : active) crossings.push_back(Crossing{e->xAt(centre), e->direction});
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
        spans.clear();
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += fillMode == WINDING ? crossings[i].direction : 1;
            const bool inside = fillMode == WINDING ? winding != 0 : winding % 2 != 0;
            if (inside) spans.push_back(centresWithin(crossings[i].x, crossings[i + 1].x));
        }
        builder.addBand(y, y + 1, spans);
        ++y;
    }
    return Region(builder.take());
}

Region Region::combine(const Region& a, const Region& b, int mode) {
    switch (mode) {
    case RGN_COPY:
        return a;
    case RGN_AND:
        if (a.empty() || b.empty()) return Region{};
        break;
    case RGN_OR:
    case RGN_XOR:
        if (a.empty()) return b;
        if (b.empty()) return a;
        break;
    case RGN_DIFF:
        if (a.empty() || b.empty()) return a;
        break;
    default:
        return Region{};
    }

    // Sweep down through the bands of both; between two consecutive band edges each region
    // has one fixed set of columns (possibly none).
    const std::vector<RECT>& ra = a.rects_;
    const std::vector<RECT>& rb = b.rects_;
    RegionBuilder builder;
    std::vector<Span> spans;
    std::size_t ia = 0, ib = 0;
    int y = std::min(ra.front().top, rb.front().top);
    while (ia < ra.size() || ib < rb.size()) {
        const std::size_t ea = ia < ra.size() ? bandEnd(ra, ia) : ia;
        const std::size_t eb = ib < rb.size() ? bandEnd(rb, ib) : ib;
        const bool inA = ia < ra.size() && ra[ia].top <= y;
        const bool inB = ib < rb.size() && rb[ib].top <= y;
        const int nextA = ia >= ra.size() ? INT_MAX : inA ? ra[ia].bottom : ra[ia].top;
        const int nextB = ib >= rb.size() ? INT_MAX : inB ? rb[ib].bottom : rb[ib].top;
        const int yEnd = std::min(nextA, nextB);
        if (inA || inB) {
            combineSpans(inA ? std::span(ra).subspan(ia, ea - ia) : std::span<const RECT>{},
                         inB ? std::span(rb).subspan(ib, eb - ib) : std::span<const RECT>{}, mode,
                         spans);
            builder.addBand(y, yEnd, spans);
        }
        y = yEnd;
        if (inA && y == ra[ia].bottom) ia = ea;
        if (inB && y == rb[ib].bottom) ib = eb;
    }
    return Region(builder.take());
}

RECT Region::box() const {
    if (rects_.empty()) return RECT{};
    RECT box{INT_MAX, rects_.front().top, INT_MIN, rects_.back().bottom};
    for (const RECT& r : rects_) {
        box.left = std::min(box.left, r.left);
        box.right = std::max(box.right, r.right);
    }
    return box;
}

int Region::complexity() const {
    if (rects_.empty()) return NULLREGION;
    return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::contains(int x, int y) const {
    // Bands are disjoint and sorted, so the bottoms rise with the tops.
    auto it = std::partition_point(rects_.begin(), rects_.end(),
                                   [y](const RECT& r) { return r.bottom <= y; });
    for (; it != rects_.end() && it->top <= y; ++it)
        if (x >= it->left && x < it->right) return true;
    return false;
}

Region Region::offset(int dx, int dy) const {
    // Clamping can squash bands or columns together, so the result is rebuilt.
    RegionBuilder builder;
    std::vector<Span> spans;
    for (std::size_t i = 0; i < rects_.size();) {
        const std::size_t end = bandEnd(rects_, i);
        spans.clear();
        for (std::size_t k = i; k < end; ++k)
            spans.push_back(Span{clampCoord(static_cast<long long>(rects_[k].left) + dx),
                                 clampCoord(static_cast<long long>(rects_[k].right) + dx)});
        builder.addBand(clampCoord(static_cast<long long>(rects_[i].top) + dy),
                        clampCoord(static_cast<long long>(rects_[i].bottom) + dy), spans);
        i = end;
    }
    return Region(builder.take());
}

long long Region::area() const {
    long long total = 0;
    for (const RECT& r : rects_)
        total += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
    return total;
}

} // namespace bw
