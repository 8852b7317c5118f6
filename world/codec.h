#pragma once
// Little-endian fields of a save image, read and written at their offsets one by one: a record
// is never a copy of a struct, so the layout does not depend on this build's alignment.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace codec {

inline void PutI32(std::uint8_t* buf, std::size_t off, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  buf[off] = static_cast<std::uint8_t>(u);
  buf[off + 1] = static_cast<std::uint8_t>(u >> 8);
  buf[off + 2] = static_cast<std::uint8_t>(u >> 16);
  buf[off + 3] = static_cast<std::uint8_t>(u >> 24);
}

inline std::int32_t GetI32(const std::uint8_t* buf, std::size_t off) {
  std::uint32_t u = static_cast<std::uint32_t>(buf[off]) | static_cast<std::uint32_t>(buf[off + 1]) << 8 |
                    static_cast<std::uint32_t>(buf[off + 2]) << 16 | static_cast<std::uint32_t>(buf[off + 3]) << 24;
  return static_cast<std::int32_t>(u);
}

inline void PutU8(std::uint8_t* buf, std::size_t off, std::uint8_t v) { buf[off] = v; }
inline std::uint8_t GetU8(const std::uint8_t* buf, std::size_t off) { return buf[off]; }

inline void PutF32(std::uint8_t* buf, std::size_t off, float v) {
  std::uint32_t u;
  std::memcpy(&u, &v, 4);
  PutI32(buf, off, static_cast<std::int32_t>(u));
}

inline float GetF32(const std::uint8_t* buf, std::size_t off) {
  auto u = static_cast<std::uint32_t>(GetI32(buf, off));
  float v;
  std::memcpy(&v, &u, 4);
  return v;
}

inline void PutF64(std::uint8_t* buf, std::size_t off, double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, 8);
  PutI32(buf, off, static_cast<std::int32_t>(static_cast<std::uint32_t>(u)));
  PutI32(buf, off + 4, static_cast<std::int32_t>(static_cast<std::uint32_t>(u >> 32)));
}

inline double GetF64(const std::uint8_t* buf, std::size_t off) {
  std::uint64_t u = static_cast<std::uint32_t>(GetI32(buf, off)) |
                    static_cast<std::uint64_t>(static_cast<std::uint32_t>(GetI32(buf, off + 4))) << 32;
  double v;
  std::memcpy(&v, &u, 8);
  return v;
}

}  // namespace codec
