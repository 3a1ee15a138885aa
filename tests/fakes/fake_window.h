// The tests' stand-in for the window: records what the portable code asked of it.
#pragma once
#include <string>
#include <vector>

struct FakeWindow {
    std::vector<std::string> messages;  // texts of message boxes, in order
    std::vector<int> messageKinds;
    int messageAnswer = 1;              // what a question box answers (1 Yes, 0 No)
    int promotionAnswer = 5;            // raw result the promotion dialog returns
    int promotionRequests = 0;

    void Clear() { *this = FakeWindow(); }
};

extern FakeWindow g_fakeWindow;
