#include "updates/versioncomparison.h"

#include <cstring>

namespace {

// A part of a version string: [begin, end), no terminating NUL needed.
struct Span
{
    const char* begin;
    const char* end;
    std::size_t size() const { return std::size_t(end - begin); }
};

// ASCII classes only: bytes of other scripts are separators.
bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

bool is_alpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool is_alnum(char c)
{
    return is_digit(c) || is_alpha(c);
}

bool alpha_at(const char* p, const char* end)
{
    return p < end && is_alpha(*p);
}

// Byte order, a prefix before the longer string: -1, 0 or 1.
int compare_bytes(Span a, Span b)
{
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    const int rc = common ? std::memcmp(a.begin, b.begin, common) : 0;
    if (rc != 0)
        return rc < 0 ? -1 : 1;
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

// Walks one run of digits (numeric) or letters from p.
const char* segment_end(const char* p, const char* end, bool numeric)
{
    while (p < end && (numeric ? is_digit(*p) : is_alpha(*p)))
        ++p;
    return p;
}

const char* skip_zeros(const char* p, const char* end)
{
    while (p < end && *p == '0')
        ++p;
    return p;
}

int compare_segments(Span a, Span b)
{
    if (compare_bytes(a, b) == 0)
        return 0;
    const char* one = a.begin;
    const char* two = b.begin;
    // Ends of the previous segments: what lies between is the separator run.
    const char* ptr1 = one;
    const char* ptr2 = two;
    while (one < a.end && two < b.end) {
        while (one < a.end && !is_alnum(*one))
            ++one;
        while (two < b.end && !is_alnum(*two))
            ++two;
        if (one == a.end || two == b.end)
            break;
        if (one - ptr1 != two - ptr2)
            return one - ptr1 < two - ptr2 ? -1 : 1;
        const bool numeric = is_digit(*one);
        ptr1 = segment_end(one, a.end, numeric);
        ptr2 = segment_end(two, b.end, numeric);
        if (two == ptr2)
            return numeric ? 1 : -1;
        if (numeric) {
            one = skip_zeros(one, ptr1);
            two = skip_zeros(two, ptr2);
            if (ptr1 - one != ptr2 - two)
                return ptr1 - one > ptr2 - two ? 1 : -1;
        }
        const int rc = compare_bytes({one, ptr1}, {two, ptr2});
        if (rc != 0)
            return rc;
        one = ptr1;
        two = ptr2;
    }
    if (one == a.end && two == b.end)
        return 0;
    // A remaining letter run never beats the end of the other string.
    if ((one == a.end && !alpha_at(two, b.end)) || alpha_at(one, a.end))
        return -1;
    return 1;
}

struct Evr
{
    Span epoch;
    Span version;
    Span release;
    bool hasRelease;
};

const char ZERO_EPOCH[] = "0";

Evr split_evr(Span full)
{
    const char* s = full.begin;
    while (s < full.end && is_digit(*s))
        ++s;
    // The release follows the last '-' after the epoch digits.
    const char* dash = nullptr;
    for (const char* p = s; p < full.end; ++p) {
        if (*p == '-')
            dash = p;
    }
    Evr evr;
    const char* versionEnd = dash ? dash : full.end;
    if (s < full.end && *s == ':') {
        evr.epoch = s == full.begin ? Span{ZERO_EPOCH, ZERO_EPOCH + 1} : Span{full.begin, s};
        evr.version = {s + 1, versionEnd};
    } else {
        evr.epoch = {ZERO_EPOCH, ZERO_EPOCH + 1};
        evr.version = {full.begin, versionEnd};
    }
    evr.hasRelease = dash != nullptr;
    evr.release = dash ? Span{dash + 1, full.end} : Span{full.end, full.end};
    return evr;
}

int compare_full(Span a, Span b)
{
    if (compare_bytes(a, b) == 0)
        return 0;
    const Evr one = split_evr(a);
    const Evr two = split_evr(b);
    int rc = compare_segments(one.epoch, two.epoch);
    if (rc == 0) {
        rc = compare_segments(one.version, two.version);
        if (rc == 0 && one.hasRelease && two.hasRelease)
            rc = compare_segments(one.release, two.release);
    }
    return rc;
}

Span c_string(const char* s)
{
    return {s, s + std::strlen(s)};
}

} // namespace

namespace VM24 {

int compare_versions(const char* a, const char* b)
{
    if (!a || !b)
        return a ? 1 : (b ? -1 : 0);
    return compare_full(c_string(a), c_string(b));
}

// Up to the first NUL, as the package manager reads its strings.
int compare_versions(const QByteArray& a, const QByteArray& b)
{
    return compare_versions(a.isNull() ? nullptr : a.constData(), b.isNull() ? nullptr : b.constData());
}

int compare_versions(const QString& a, const QString& b)
{
    const QByteArray one = a.toUtf8();
    const QByteArray two = b.toUtf8();
    return compare_versions(a.isNull() ? nullptr : one.constData(), b.isNull() ? nullptr : two.constData());
}

int compare_version_segments(const char* a, const char* b)
{
    return compare_segments(c_string(a), c_string(b));
}

} // namespace VM24
