#include "run/QuietConsole.h"

#include <iostream>
#include <streambuf>
#include <string>

namespace {

bool isProgressLine(const std::string& line) {
    return line == "\n" || line == "[OK]\n" || line.compare(0, 6, "[INFO]") == 0;
}

// Holds each line until its end, then passes it on unless it is progress.
class ProgressFilter : public std::streambuf {
public:
    explicit ProgressFilter(std::streambuf* target) : target(target) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        line += traits_type::to_char_type(c);
        if (line.back() != '\n') return c;
        if (!isProgressLine(line)) target->sputn(line.data(), static_cast<std::streamsize>(line.size()));
        line.clear();
        return c;
    }
    int sync() override { return target->pubsync(); }

private:
    std::streambuf* target;
    std::string line;
};

}  // namespace

void leaveOutProgressLines() {
    // Never deleted: standard output is flushed after every static object is gone.
    std::cout.rdbuf(new ProgressFilter(std::cout.rdbuf()));
}
