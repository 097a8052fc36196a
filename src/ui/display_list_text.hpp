#pragma once

#include <string>

#include "ui/display_list.hpp"

namespace vantrek {

// One drawing command as a line of tab-separated fields (without the line
// end), the form `vantrek-cli draw` prints:
//   text      <l>,<t>,<r>,<b>  <r>,<g>,<b>  small|large  <text>
//   bitmap    <x>,<y>  <bitmap name>
//   stretch   <l>,<t>,<r>,<b>  <bitmap name>  <source l>,<t>,<r>,<b>
//   ellipse   <l>,<t>,<r>,<b>  <brush r>,<g>,<b>
//   fill      <l>,<t>,<r>,<b>  <r>,<g>,<b>
//   pixels    <r>,<g>,<b>  <number of pixels>
//   polyline  <pen r>,<g>,<b>  <number of points>
//   copy      <l>,<t>,<r>,<b>  <source surface>  <source l>,<t>,<r>,<b>
//   stretchsurface  (as copy)
// A command drawn on a surface other than the back buffer ends with a field
// "on <surface>".
std::string DescribeDrawCommand(const DrawCommand& command);

// The name of a bitmap in the form above: night, day, iss, sun, moon,
// moondark, hst, sat, notsell, observer, gpsfix, gpsidle.
const char* BitmapName(BitmapId bitmap);

// backbuffer, signalmap, statusbar, workimage.
const char* SurfaceName(Surface surface);

}  // namespace vantrek
