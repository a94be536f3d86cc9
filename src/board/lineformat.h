#pragma once

// How the printer sets one line.
namespace LineFormat {

enum Format {
    Left = 0,
    Center = 1,
    Right = 2,
    DoubleHeight = 3,
};

} // namespace LineFormat
