#pragma once

namespace zelkor {

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colours {
inline constexpr Rgb Amber{255, 204, 0};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Red{255, 0, 0};
inline constexpr Rgb Grey{212, 208, 200};
inline constexpr Rgb Background{182, 200, 203};
}  // namespace colours

}  // namespace zelkor
