#include "calc/dense/floor_pattern.h"

#include <algorithm>
#include <cstddef>

namespace stowbel::dense::detail {
namespace {

// Every length a side of a pattern can usefully have: the sums i*a + j*b not above the limit.
std::vector<std::int64_t> RasterPoints(std::int64_t limit, std::int64_t a, std::int64_t b) {
    std::vector<std::int64_t> points;
    for (std::int64_t i = 0; i * a <= limit; ++i)
        for (std::int64_t j = 0; i * a + j * b <= limit; ++j)
            points.push_back(i * a + j * b);
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

enum class Choice : unsigned char { Plain, Turned, CutX, CutY, FiveBlock };

struct Decision {
    int count = 0;
    Choice choice = Choice::Plain;
    int p1 = 0, p2 = 0, p3 = 0, p4 = 0;  // raster indices of the cuts
};

class FloorSolver {
public:
    FloorSolver(std::int64_t sizeX, std::int64_t sizeY, std::int64_t a, std::int64_t b)
        : a_(a), b_(b), px_(RasterPoints(sizeX, a, b)), py_(RasterPoints(sizeY, a, b)) {}

    std::size_t States() const { return px_.size() * py_.size(); }

    FloorPattern Solve(const FloorPatternLimits& limits) {
        const std::size_t nx = px_.size(), ny = py_.size();
        table_.assign(nx * ny, {});
        const auto work =
            static_cast<std::int64_t>(nx * nx * ny * ny) * static_cast<std::int64_t>(nx * ny) / 4;
        const bool fiveBlocks = work <= limits.maxFiveBlockWork;
        diffX_ = DiffTable(px_);
        diffY_ = DiffTable(py_);
        for (std::size_t ix = 0; ix < nx; ++ix)
            for (std::size_t iy = 0; iy < ny; ++iy)
                At(ix, iy) = Best(ix, iy, fiveBlocks);
        FloorPattern pattern;
        pattern.count = At(nx - 1, ny - 1).count;
        Emit(nx - 1, ny - 1, 0, 0, pattern);
        for (const FloorCell& c : pattern.cells) {
            const std::int64_t along = c.turned ? b_ : a_;
            const std::int64_t across = c.turned ? a_ : b_;
            pattern.sizeX = std::max(pattern.sizeX, c.x + along * c.nx);
            pattern.sizeY = std::max(pattern.sizeY, c.y + across * c.ny);
        }
        return pattern;
    }

private:
    // diff[i][j] = index of the largest raster point not above points[j] - points[i].
    static std::vector<std::vector<int>> DiffTable(const std::vector<std::int64_t>& points) {
        std::vector<std::vector<int>> table(points.size(), std::vector<int>(points.size(), 0));
        for (std::size_t i = 0; i < points.size(); ++i)
            for (std::size_t j = i; j < points.size(); ++j)
                table[i][j] = static_cast<int>(
                    std::upper_bound(points.begin(), points.end(), points[j] - points[i]) -
                    points.begin() - 1);
        return table;
    }

    Decision& At(std::size_t ix, std::size_t iy) { return table_[ix * py_.size() + iy]; }
    int CountAt(int ix, int iy) {
        return At(static_cast<std::size_t>(ix), static_cast<std::size_t>(iy)).count;
    }

    Decision Best(std::size_t ix, std::size_t iy, bool fiveBlocks) {
        const std::int64_t x = px_[ix], y = py_[iy];
        Decision best;
        best.count = static_cast<int>((x / a_) * (y / b_));
        const int turned = static_cast<int>((x / b_) * (y / a_));
        if (turned > best.count)
            best = {turned, Choice::Turned};
        const int iX = static_cast<int>(ix), iY = static_cast<int>(iy);
        for (std::size_t k = 1; k < ix && 2 * px_[k] <= x; ++k) {
            const int c = CountAt(static_cast<int>(k), iY) + CountAt(diffX_[k][ix], iY);
            if (c > best.count)
                best = {c, Choice::CutX, static_cast<int>(k)};
        }
        for (std::size_t k = 1; k < iy && 2 * py_[k] <= y; ++k) {
            const int c = CountAt(iX, static_cast<int>(k)) + CountAt(iX, diffY_[k][iy]);
            if (c > best.count)
                best = {c, Choice::CutY, static_cast<int>(k)};
        }
        if (fiveBlocks)
            FiveBlock(ix, iy, best);
        return best;
    }

    // Blocks: left [0,x1]x[0,y2], bottom [x1,X]x[0,y1], right [x2,X]x[y1,Y], top [0,x2]x[y2,Y]
    // and the centre [x1,x2]x[y1,y2].
    void FiveBlock(std::size_t ix, std::size_t iy, Decision& best) {
        for (std::size_t x1 = 1; x1 < ix; ++x1)
            for (std::size_t x2 = x1 + 1; x2 < ix; ++x2) {
                const int restX1 = diffX_[x1][ix], restX2 = diffX_[x2][ix];
                const int mid = diffX_[x1][x2];
                for (std::size_t y1 = 1; y1 < iy; ++y1)
                    for (std::size_t y2 = y1 + 1; y2 < iy; ++y2) {
                        const int c = CountAt(static_cast<int>(x1), static_cast<int>(y2)) +
                                      CountAt(restX1, static_cast<int>(y1)) +
                                      CountAt(restX2, diffY_[y1][iy]) +
                                      CountAt(static_cast<int>(x2), diffY_[y2][iy]) +
                                      CountAt(mid, diffY_[y1][y2]);
                        if (c > best.count)
                            best = {c,
                                    Choice::FiveBlock,
                                    static_cast<int>(x1),
                                    static_cast<int>(x2),
                                    static_cast<int>(y1),
                                    static_cast<int>(y2)};
                    }
            }
    }

    int IndexX(std::int64_t v) const {
        return static_cast<int>(std::upper_bound(px_.begin(), px_.end(), v) - px_.begin() - 1);
    }
    int IndexY(std::int64_t v) const {
        return static_cast<int>(std::upper_bound(py_.begin(), py_.end(), v) - py_.begin() - 1);
    }

    void EmitAt(int ix, int iy, std::int64_t ox, std::int64_t oy, FloorPattern& out) {
        Emit(static_cast<std::size_t>(ix), static_cast<std::size_t>(iy), ox, oy, out);
    }

    void Emit(std::size_t ix, std::size_t iy, std::int64_t ox, std::int64_t oy, FloorPattern& out) {
        const Decision d = At(ix, iy);
        if (d.count == 0)
            return;
        const std::int64_t x = px_[ix], y = py_[iy];
        switch (d.choice) {
            case Choice::Plain:
                out.cells.push_back(
                    {ox, oy, false, static_cast<int>(x / a_), static_cast<int>(y / b_)});
                return;
            case Choice::Turned:
                out.cells.push_back(
                    {ox, oy, true, static_cast<int>(x / b_), static_cast<int>(y / a_)});
                return;
            case Choice::CutX: {
                const std::int64_t cut = px_[static_cast<std::size_t>(d.p1)];
                EmitAt(d.p1, static_cast<int>(iy), ox, oy, out);
                EmitAt(IndexX(x - cut), static_cast<int>(iy), ox + cut, oy, out);
                return;
            }
            case Choice::CutY: {
                const std::int64_t cut = py_[static_cast<std::size_t>(d.p1)];
                EmitAt(static_cast<int>(ix), d.p1, ox, oy, out);
                EmitAt(static_cast<int>(ix), IndexY(y - cut), ox, oy + cut, out);
                return;
            }
            case Choice::FiveBlock: {
                const std::int64_t x1 = px_[static_cast<std::size_t>(d.p1)];
                const std::int64_t x2 = px_[static_cast<std::size_t>(d.p2)];
                const std::int64_t y1 = py_[static_cast<std::size_t>(d.p3)];
                const std::int64_t y2 = py_[static_cast<std::size_t>(d.p4)];
                EmitAt(d.p1, d.p4, ox, oy, out);
                EmitAt(IndexX(x - x1), d.p3, ox + x1, oy, out);
                EmitAt(IndexX(x - x2), IndexY(y - y1), ox + x2, oy + y1, out);
                EmitAt(d.p2, IndexY(y - y2), ox, oy + y2, out);
                EmitAt(IndexX(x2 - x1), IndexY(y2 - y1), ox + x1, oy + y1, out);
                return;
            }
        }
    }

    std::int64_t a_, b_;
    std::vector<std::int64_t> px_, py_;
    std::vector<Decision> table_;
    std::vector<std::vector<int>> diffX_, diffY_;
};

}  // namespace

FloorPattern SolveFloorPattern(std::int64_t sizeX, std::int64_t sizeY, std::int64_t a,
                               std::int64_t b, const FloorPatternLimits& limits) {
    FloorPattern none;
    if (a <= 0 || b <= 0 || sizeX < std::min(a, b) || sizeY < std::min(a, b))
        return none;
    // Raster sizes grow with (size / box)^2 per side; very fine rasters are not worth solving.
    if ((sizeX / std::min(a, b) + 1) * (sizeX / std::min(a, b) + 1) > 4 * limits.maxStates ||
        (sizeY / std::min(a, b) + 1) * (sizeY / std::min(a, b) + 1) > 4 * limits.maxStates)
        return none;
    FloorSolver solver(sizeX, sizeY, a, b);
    if (static_cast<std::int64_t>(solver.States()) > limits.maxStates)
        return none;
    return solver.Solve(limits);
}

}  // namespace stowbel::dense::detail
