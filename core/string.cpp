#include "core/string.h"

#include <stdlib.h>

namespace {

// A buffer of n bytes. The class has no way to report a failed allocation, and a
// half-built string would break its invariant, so running out of memory ends the
// program here rather than later on a null pointer.
char* Allocate(long long n) {
    char* p = static_cast<char*>(malloc(static_cast<size_t>(n)));
    if (!p) abort();
    return p;
}

char* EmptyBuffer() {
    char* p = Allocate(1);
    p[0] = '\0';
    return p;
}

}  // namespace

const int String::kMaxLength;

String::String() : length(0), data(EmptyBuffer()) {}

String::String(const char* s) : length(CStrLen(s)), data(Allocate(length + 1LL)) {
    CopyChars(s, data, length, 0, 0);
}

String::String(char c) : length(c ? 1 : 0), data(Allocate(length + 1LL)) {
    data[0] = c;
    data[length] = '\0';
}

String::String(const String& other) : length(other.length), data(Allocate(other.length + 1LL)) {
    CopyChars(other.data, data, length, 0, 0);
}

String::~String() { free(data); }

// The new buffer is filled from the old characters and `extra` before the old buffer
// goes, so `extra` may point into this string's own text.
void String::AppendChars(const char* extra, int n) {
    if (n <= 0) return;
    char* grown = Allocate(static_cast<long long>(length) + n + 1);
    CopyChars(data, grown, length, 0, 0);
    CopyChars(extra, grown, n, length, 0);
    Replace(grown, length + n);
}

void String::Replace(char* buffer, int newLength) {
    free(data);
    data = buffer;
    length = newLength;
}

String String::operator=(String other) {
    // Received as a copy: taking over its buffer gives this string a fresh one of the
    // exact size. Equal text (self-assignment included) changes nothing.
    if (!(*this == other)) {
        char* mine = data;
        data = other.data;
        other.data = mine;
        int myLength = length;
        length = other.length;
        other.length = myLength;
    }
    return *this;
}

String String::operator+=(const char* s) {
    if (s) {
        int n = CStrLen(s);
        if (static_cast<long long>(length) + n <= kMaxLength) AppendChars(s, n);
    }
    return *this;
}

String String::operator+=(char c) {
    AppendChars(&c, c ? 1 : 0);
    return *this;
}

String String::operator+(String other) {
    if (static_cast<long long>(length) + other.length <= kMaxLength) AppendChars(other.data, other.length);
    return *this;
}

String String::AssignChar(char c) {
    char* one = Allocate(2);
    one[0] = c;
    one[1] = '\0';
    Replace(one, c ? 1 : 0);
    return *this;
}

void String::AppendInt(int value) {
    char digits[12];
    int pos = 12;
    // Work on the magnitude in 64 bits: -2147483648 has no positive 32-bit twin.
    long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
    do {
        digits[--pos] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (value < 0) digits[--pos] = '-';
    AppendChars(digits + pos, 12 - pos);
}

void String::AppendNewLine() { AppendChars("\r\n", 2); }

void String::AssignMid(const String* src, int start, int count) {
    if (!src) return;
    if (start < 0) start = 0;
    if (start > src->length) return;
    if (count == 0 || count < -1) return;
    int available = src->length - start;
    if (count == -1 || count > available) count = available;
    char* part = Allocate(count + 1LL);
    CopyChars(src->data, part, count, 0, start);
    Replace(part, count);
}

void String::InsertAt(char c, int index) {
    if (index < 0 || index >= length) return;
    char* grown = Allocate(length + 2LL);
    CopyChars(data, grown, index, 0, 0);
    grown[index] = c;
    CopyChars(data, grown, length - index, index + 1, index);
    Replace(grown, length + 1);
}

void String::RemoveAll(char c) {
    int found = 0;
    for (int i = 0; i < length; ++i) found += data[i] == c;
    if (found == 0) return;
    char* kept = Allocate(static_cast<long long>(length) - found + 1);
    int n = 0;
    for (int i = 0; i < length; ++i)
        if (data[i] != c) kept[n++] = data[i];
    kept[n] = '\0';
    Replace(kept, n);
}

int String::Length() const { return length; }

const char* String::CStr() const { return data; }

char String::CharAt(int index) const {
    if (index < 0 || index > length) return ' ';
    return data[index];
}

int String::FindChar(char c, int from) const {
    if (from < 0) return -1;
    for (int i = from; i < length; ++i)
        if (data[i] == c) return i;
    return -1;
}

int String::FindEnd(const char* text) const {
    int n = CStrLen(text);
    if (n > length) return -1;
    for (int i = 0; i <= length - n; ++i) {
        int k = 0;
        while (k < n && data[i + k] == text[k]) ++k;
        if (k == n) return i + n;
    }
    return -1;
}

int String::operator==(String other) const {
    if (other.length != length) return 0;
    for (int i = 0; i < length; ++i)
        if (data[i] != other.data[i]) return 0;
    return 1;
}

int String::CStrLen(const char* s) {
    if (!s) return 0;
    int n = 0;
    while (n < kMaxLength && s[n]) ++n;
    return n;
}

void String::CopyChars(const char* src, char* dst, int count, int dstOffset, int srcOffset) {
    for (int i = 0; i < count; ++i) dst[dstOffset + i] = src[srcOffset + i];
    dst[dstOffset + count] = '\0';
}
