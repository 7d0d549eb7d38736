// app/engine_main.cpp: the analysis engine's main function.
//
// The engine loads the data file through the editor's own start-up load, whose title screen
// asks for the main choice. The engine gives that answer itself ("E": execute an existing
// file) and keeps the title screen and its prompt off the screen; from the answer on, the
// screen shows everything and the keyboard is standard input, so the load's notes and pauses
// and the analysis's messages reach the user as they would in the editor.
#include "app/engine_flow.h"
#include "runtime/stop.h"
#include "runtime/units.h"

#include <iostream>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string>

namespace {

// The keyboard: the line "E" first, then standard input.
class ChoiceThenInput : public std::streambuf {
public:
    explicit ChoiceThenInput(std::streambuf* rest) : rest_(rest) {
        setg(choice_, choice_, choice_ + 2);
    }
    // True once the choice has been read.
    bool choice_read() const { return !in_choice_ || gptr() == egptr(); }

protected:
    int_type underflow() override {
        in_choice_ = false;
        const int_type c = rest_->sbumpc();
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::eof();
        one_ = traits_type::to_char_type(c);
        setg(&one_, &one_, &one_ + 1);
        return c;
    }

private:
    std::streambuf* rest_;
    char choice_[2] = {'E', '\n'};
    char one_ = '\0';
    bool in_choice_ = true;
};

// The screen: nothing until the choice has been read, then standard output.
class ScreenAfterChoice : public std::streambuf {
public:
    ScreenAfterChoice(std::streambuf* out, const ChoiceThenInput& keyboard)
        : out_(out), keyboard_(keyboard) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()) || !keyboard_.choice_read())
            return traits_type::not_eof(c);
        return out_->sputc(traits_type::to_char_type(c));
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        return keyboard_.choice_read() ? out_->sputn(s, n) : n;
    }
    int sync() override { return out_->pubsync(); }

private:
    std::streambuf* out_;
    const ChoiceThenInput& keyboard_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: lintar-engine [data file]\n";
        return 1;
    }
    const std::string data_file = argc == 2 ? argv[1] : std::string(lintar::engine_data_file);

    ChoiceThenInput keyboard_buffer(std::cin.rdbuf());
    ScreenAfterChoice screen_buffer(std::cout.rdbuf(), keyboard_buffer);
    std::istream keyboard(&keyboard_buffer);
    std::ostream screen(&screen_buffer);
    lintar::set_console(&keyboard, &screen);
    const int status = lintar::run_main([&] { lintar::run_engine(data_file); });
    screen.flush();
    lintar::set_console(nullptr, nullptr);
    return status;
}
