#pragma once

namespace etq {

// The two shapes a renderer comes in. The module form (what the facade calls) clears the
// surface's picture first and leaves the drawing as its picture, with an optional caption; the
// class form erases with `Cls`, always prints the caption and leaves the picture alone.
enum class RendererForm { Module, Class };

}  // namespace etq
