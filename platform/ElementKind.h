#pragma once

// What an element record stands for on the designer page.
enum class ElementKind { Label, Line, Image, Handle };
