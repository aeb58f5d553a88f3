#include "core/base/line_diff.h"

#include <algorithm>
#include <unordered_map>

namespace kestrel {
namespace {

// Each distinct line as a number, so that lines compare in one step; a last
// line without "\n" is another line than the same text with one.
std::vector<int> lineNumbers(const TextLines& text, std::unordered_map<std::string_view, int>& ended,
    std::unordered_map<std::string_view, int>& unended, int& next)
{
    std::vector<int> ids;
    ids.reserve(text.lines.size());
    for (std::size_t i = 0; i < text.lines.size(); ++i) {
        auto& known = (i + 1 == text.lines.size() && !text.lastEnded) ? unended : ended;
        const auto [at, fresh] = known.try_emplace(text.lines[i], next);
        if (fresh)
            ++next;
        ids.push_back(at->second);
    }
    return ids;
}

class Differ {
public:
    Differ(std::vector<int> a, std::vector<int> b, std::size_t maxSearch)
        : a_(std::move(a)), b_(std::move(b)), maxSearch_(std::max<std::size_t>(1, maxSearch))
    {
        const std::size_t size = 2 * std::min(maxSearch_, (a_.size() + b_.size() + 1) / 2) + 3;
        forward_.resize(size);
        backward_.resize(size);
    }

    std::vector<LineEdit> run()
    {
        edits_.reserve(a_.size() + b_.size());
        compare(0, a_.size(), 0, b_.size());
        return std::move(edits_);
    }

private:
    struct Snake {
        std::size_t x, y, u, v; // equal lines a[x, u) and b[y, v)
    };

    void emit(LineEdit edit, std::size_t count) { edits_.insert(edits_.end(), count, edit); }

    // The recursion halves the edits of a region each time, so it goes no
    // deeper than the logarithm of their number.
    void compare(std::size_t a0, std::size_t a1, std::size_t b0, std::size_t b1)
    {
        std::size_t prefix = 0, suffix = 0;
        while (a0 < a1 && b0 < b1 && a_[a0] == b_[b0])
            ++a0, ++b0, ++prefix;
        while (a0 < a1 && b0 < b1 && a_[a1 - 1] == b_[b1 - 1])
            --a1, --b1, ++suffix;
        emit(LineEdit::Same, prefix);
        if (a0 == a1) {
            emit(LineEdit::Added, b1 - b0);
        } else if (b0 == b1) {
            emit(LineEdit::Removed, a1 - a0);
        } else if (Snake s; middleSnake(a0, a1, b0, b1, s)) {
            // Both ends differ, so the region takes two edits at least and
            // each half fewer than the whole.
            compare(a0, s.x, b0, s.y);
            emit(LineEdit::Same, s.u - s.x);
            compare(s.u, a1, s.v, b1);
        } else {
            emit(LineEdit::Removed, a1 - a0);
            emit(LineEdit::Added, b1 - b0);
        }
        emit(LineEdit::Same, suffix);
    }

    // The middle snake of the region's shortest script: paths are extended
    // from both corners, d edits at a time, until they meet. False when
    // they have not met after maxSearch_ rounds.
    bool middleSnake(std::size_t a0, std::size_t a1, std::size_t b0, std::size_t b1, Snake& snake)
    {
        const auto n = static_cast<long>(a1 - a0), m = static_cast<long>(b1 - b0);
        const long delta = n - m;
        const bool odd = (delta & 1) != 0;
        const long rounds = std::min(static_cast<long>(maxSearch_), (n + m + 1) / 2);
        const long offset = rounds + 1;
        // The furthest x on each diagonal k = x - y, from the top left
        // (forward) and, in reversed coordinates, from the bottom right.
        const auto f = [&](long k) -> long& { return forward_[static_cast<std::size_t>(k + offset)]; };
        const auto r = [&](long k) -> long& { return backward_[static_cast<std::size_t>(k + offset)]; };
        f(1) = 0;
        r(1) = 0;
        for (long d = 0; d <= rounds; ++d) {
            for (long k = -d; k <= d; k += 2) {
                long x = (k == -d || (k != d && f(k - 1) < f(k + 1))) ? f(k + 1) : f(k - 1) + 1;
                long y = x - k;
                const long x0 = x, y0 = y;
                while (x < n && y < m && a_[a0 + x] == b_[b0 + y])
                    ++x, ++y;
                f(k) = x;
                const long back = delta - k; // the same diagonal, reversed
                if (odd && back >= -(d - 1) && back <= d - 1 && x + r(back) >= n) {
                    snake = {a0 + x0, b0 + y0, a0 + x, b0 + y};
                    return true;
                }
            }
            for (long k = -d; k <= d; k += 2) {
                long x = (k == -d || (k != d && r(k - 1) < r(k + 1))) ? r(k + 1) : r(k - 1) + 1;
                long y = x - k;
                const long x0 = x, y0 = y;
                while (x < n && y < m && a_[a1 - 1 - x] == b_[b1 - 1 - y])
                    ++x, ++y;
                r(k) = x;
                const long ahead = delta - k;
                if (!odd && ahead >= -d && ahead <= d && x + f(ahead) >= n) {
                    snake = {a1 - x, b1 - y, a1 - x0, b1 - y0};
                    return true;
                }
            }
        }
        return false;
    }

    std::vector<int> a_, b_;
    std::size_t maxSearch_;
    std::vector<long> forward_, backward_;
    std::vector<LineEdit> edits_;
};

// "l,n" of a hunk header: an empty range names the line before it.
std::string hunkRange(std::size_t start, std::size_t count)
{
    return std::to_string(count == 0 ? start : start + 1) + "," + std::to_string(count);
}

} // namespace

TextLines diffableLines(std::string_view text)
{
    TextLines split;
    std::size_t from = 0;
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', from)) {
        split.lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    if (from < text.size()) {
        split.lines.push_back(text.substr(from));
        split.lastEnded = false;
    }
    return split;
}

std::vector<LineEdit> diffLines(const TextLines& a, const TextLines& b, std::size_t maxSearch)
{
    std::unordered_map<std::string_view, int> ended, unended;
    int next = 0;
    std::vector<int> idsA = lineNumbers(a, ended, unended, next);
    std::vector<int> idsB = lineNumbers(b, ended, unended, next);
    return Differ(std::move(idsA), std::move(idsB), maxSearch).run();
}

std::vector<AlignedLine> alignSideBySide(const TextLines& a, const TextLines& b, std::size_t maxSearch)
{
    const std::vector<LineEdit> edits = diffLines(a, b, maxSearch);
    std::vector<AlignedLine> rows;
    rows.reserve(edits.size());
    std::size_t left = 0, right = 0;
    for (std::size_t e = 0; e < edits.size();) {
        if (edits[e] == LineEdit::Same) {
            rows.push_back({left++, right++, AlignedKind::Equal});
            ++e;
            continue;
        }
        // A run of edits: its removals and additions may interleave, so
        // they are counted first and paired in order.
        std::size_t removed = 0, added = 0;
        for (; e < edits.size() && edits[e] != LineEdit::Same; ++e)
            ++(edits[e] == LineEdit::Removed ? removed : added);
        const std::size_t paired = std::min(removed, added);
        for (std::size_t i = 0; i < paired; ++i)
            rows.push_back({left++, right++, AlignedKind::Changed});
        for (std::size_t i = paired; i < removed; ++i)
            rows.push_back({left++, std::nullopt, AlignedKind::Removed});
        for (std::size_t i = paired; i < added; ++i)
            rows.push_back({std::nullopt, right++, AlignedKind::Added});
    }
    return rows;
}

std::string unifiedDiff(std::string_view a, std::string_view b, std::string_view nameA, std::string_view nameB,
    std::size_t context, std::size_t maxSearch)
{
    const TextLines linesA = diffableLines(a), linesB = diffableLines(b);
    const std::vector<LineEdit> edits = diffLines(linesA, linesB, maxSearch);
    if (std::all_of(edits.begin(), edits.end(), [](LineEdit e) { return e == LineEdit::Same; }))
        return {};

    // The lines of each text before each edit.
    std::vector<std::size_t> atA(edits.size() + 1), atB(edits.size() + 1);
    for (std::size_t i = 0; i < edits.size(); ++i) {
        atA[i + 1] = atA[i] + (edits[i] != LineEdit::Added);
        atB[i + 1] = atB[i] + (edits[i] != LineEdit::Removed);
    }
    std::string out = "--- " + std::string(nameA) + "\n+++ " + std::string(nameB) + "\n";
    const auto line = [&](char mark, const TextLines& text, std::size_t index) {
        out += mark;
        out += text.lines[index];
        out += '\n';
        if (index + 1 == text.lines.size() && !text.lastEnded)
            out += "\\ No newline at end of file\n";
    };

    std::size_t i = 0;
    while (i < edits.size()) {
        if (edits[i] == LineEdit::Same) {
            ++i;
            continue;
        }
        // A hunk: from `context` lines before this change to `context` lines
        // after the last change that lies within 2 * context of the one before.
        const std::size_t begin = i >= context ? i - context : 0;
        std::size_t end = i;
        for (std::size_t same = 0; end < edits.size() && (edits[end] != LineEdit::Same || same < 2 * context); ++end)
            same = edits[end] == LineEdit::Same ? same + 1 : 0;
        // Back to `context` lines after the last change.
        std::size_t last = end;
        while (last > i && edits[last - 1] == LineEdit::Same)
            --last;
        end = std::min(edits.size(), last + context);
        out += "@@ -" + hunkRange(atA[begin], atA[end] - atA[begin]) + " +" +
            hunkRange(atB[begin], atB[end] - atB[begin]) + " @@\n";
        for (std::size_t e = begin; e < end;) {
            if (edits[e] == LineEdit::Same) {
                line(' ', linesA, atA[e]);
                ++e;
                continue;
            }
            // A run of changes: its removals, then its additions.
            std::size_t run = e;
            while (run < end && edits[run] != LineEdit::Same)
                ++run;
            for (std::size_t k = e; k < run; ++k)
                if (edits[k] == LineEdit::Removed)
                    line('-', linesA, atA[k]);
            for (std::size_t k = e; k < run; ++k)
                if (edits[k] == LineEdit::Added)
                    line('+', linesB, atB[k]);
            e = run;
        }
        i = end;
    }
    return out;
}

} // namespace kestrel
