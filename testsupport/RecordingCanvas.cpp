#include "testsupport/RecordingCanvas.h"

#include <array>
#include <charconv>
#include <stdexcept>
#include <string>

namespace velnix::testing {
namespace {

void FailIfArmed(bool& armed, const char* operation) {
    if (armed) {
        armed = false;
        throw std::runtime_error(std::string(operation) + " failed");
    }
}

// The shortest text that reads back as the same float: 105, 0.5, -3.
std::string Text(float value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

void RecordingCanvas::Clear() {
    FailIfArmed(failNextClear, "Clear");
    ++clears;
    lines.clear();
    journal.push_back("Clear");
}

void RecordingCanvas::SetVerticalExtent(float lExtent) {
    FailIfArmed(failNextSetExtent, "SetVerticalExtent");
    extent = lExtent;
    extentsSet.push_back(lExtent);
    journal.push_back("SetVerticalExtent " + Text(lExtent));
}

float RecordingCanvas::VerticalExtent() const { return extent; }

void RecordingCanvas::Line(float x1, float y1, float x2, float y2) {
    FailIfArmed(failNextLine, "Line");
    lines.push_back({x1, y1, x2, y2});
    journal.push_back("Line " + Text(x1) + " " + Text(y1) + " " + Text(x2) + " " + Text(y2));
}

}  // namespace velnix::testing
