// The text device behind standard input and output: writes gather and go to the console's
// writer at the end of each write, reads take one edited line at a time from its line editor.
#include "console/ObCrt.h"
#include <iostream>
#include <streambuf>

namespace {

constexpr int DeviceBufferSize = 128;

class ConsoleOutput : public std::streambuf {
 public:
  ConsoleOutput() { Empty(); }

 protected:
  int_type overflow(int_type ch) override {
    HandOn();
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
  }
  int sync() override {
    HandOn();
    return 0;
  }

 private:
  void Empty() { setp(buffer_, buffer_ + DeviceBufferSize); }
  // A flush with nothing gathered (the one before every read, the one at exit) draws nothing
  // and so opens no window; once the program is ending and the window is gone, nothing
  // written may bring it back.
  void HandOn() {
    auto count = static_cast<uint16_t>(pptr() - pbase());
    Empty();
    if (count == 0 || (ConsoleEnding && !WindowOpen)) return;
    WriteText(reinterpret_cast<const unsigned char*>(buffer_), count);
    KeyWaiting();
  }
  char buffer_[DeviceBufferSize];
};

class ConsoleInput : public std::streambuf {
 protected:
  int_type underflow() override {
    uint16_t count = ReadLine(reinterpret_cast<unsigned char*>(buffer_), DeviceBufferSize);
    setg(buffer_, buffer_, buffer_ + count);
    return count ? traits_type::to_int_type(buffer_[0]) : traits_type::eof();
  }

 private:
  char buffer_[DeviceBufferSize];
};

}  // namespace

// The devices are never destroyed: the streams are flushed at exit after every destructor.
void BindConsoleStreams() {
  static ConsoleOutput* output = new ConsoleOutput;
  static ConsoleInput* input = new ConsoleInput;
  std::cout.rdbuf(output);
  std::cout.setf(std::ios::unitbuf);  // every write statement reaches the window at its end
  std::cin.rdbuf(input);
}
