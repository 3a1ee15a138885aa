// The program's own text class: one exact-size heap buffer per string, deep copies,
// no exceptions; requests it refuses leave the text unchanged.
#pragma once

class String {
public:
    static const int kMaxLength = 16777216;

    String();
    String(const char* s);
    String(char c);
    String(const String& other);
    ~String();

    String operator=(String other);
    String operator+=(const char* s);
    String operator+=(char c);
    String operator+(String other);
    String AssignChar(char c);

    void AppendInt(int value);
    void AppendNewLine();
    void AssignMid(const String* src, int start, int count);
    void InsertAt(char c, int index);
    void RemoveAll(char c);

    int Length() const;
    const char* CStr() const;
    char CharAt(int index) const;
    int FindChar(char c, int from) const;
    int FindEnd(const char* text) const;
    int operator==(String other) const;

    static int CStrLen(const char* s);
    static void CopyChars(const char* src, char* dst, int count, int dstOffset, int srcOffset);

private:
    // Appends n characters read from `extra` (which may lie in this string's own text).
    void AppendChars(const char* extra, int n);
    // Frees the old buffer and takes over `buffer`, which holds newLength characters.
    void Replace(char* buffer, int newLength);

    int length;
    char* data;
};
