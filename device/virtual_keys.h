#pragma once

#include <cstdint>

// The Windows virtual-key codes the program names: device keys are matched by them, and the
// platforms' key events are translated into them.
namespace device::vk {

inline constexpr std::uint16_t Return = 13;
inline constexpr std::uint16_t Shift = 16;
inline constexpr std::uint16_t Control = 17;
inline constexpr std::uint16_t Alt = 18;
inline constexpr std::uint16_t Escape = 27;
inline constexpr std::uint16_t Space = 32;
inline constexpr std::uint16_t Left = 37;
inline constexpr std::uint16_t Up = 38;
inline constexpr std::uint16_t Right = 39;
inline constexpr std::uint16_t Down = 40;
// '0'..'9' and 'A'..'Z' are their ASCII codes.
inline constexpr std::uint16_t Digit0 = '0';
inline constexpr std::uint16_t Digit1 = '1';
inline constexpr std::uint16_t LetterA = 'A';
inline constexpr std::uint16_t F1 = 112;
inline constexpr std::uint16_t F12 = 123;

} // namespace device::vk
