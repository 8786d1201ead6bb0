#include "pdrop/platform/Message.h"

#include <iostream>
#include <mutex>

namespace pdrop {
namespace {

std::mutex& HandlerMutex() {
  static std::mutex m;
  return m;
}

std::function<void(const std::string&)>& Handler() {
  static std::function<void(const std::string&)> h;
  return h;
}

}  // namespace

void SetMessageHandler(std::function<void(const std::string&)> handler) {
  std::lock_guard<std::mutex> lock(HandlerMutex());
  Handler() = std::move(handler);
}

void ShowMessage(const std::string& text) {
  std::function<void(const std::string&)> handler;
  {
    std::lock_guard<std::mutex> lock(HandlerMutex());
    handler = Handler();
  }
  if (handler) {
    handler(text);
  } else {
    std::cerr << text << '\n';
  }
}

}  // namespace pdrop
