#pragma once

#include <cstdint>

// Direct user32 calls for the Windows backend's tests, behind plain types
// (this file's .cpp includes <windows.h>, the tests include engine headers).
namespace wintest {

std::intptr_t Send(void* window, std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
bool Post(void* window, std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

// The class style, or -1 when no class of that name is registered.
long ClassStyle(void* instance, const char* className);
std::uint32_t WindowStyle(void* window);
void OuterSize(void* window, int& width, int& height);
bool IsVisible(void* window);
bool IsAlive(void* window);

constexpr std::uint32_t kClassDc = 0x0040;
constexpr std::uint32_t kOverlappedWindow = 0x00CF0000;
constexpr std::uint32_t kVisible = 0x10000000;
constexpr std::uint32_t kGetText = 0x000D;
constexpr std::uint32_t kGetTextLength = 0x000E;
constexpr std::uint32_t kClose = 0x0010;
constexpr std::uint32_t kNull = 0x0000;

}  // namespace wintest
