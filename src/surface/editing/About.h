#pragma once

// The About window's logic: its texts, and the maker's website it offers to open.

#include <string_view>

#include "surface/form/FormModel.h"
#include "surface/form/FormView.h"

namespace velmora {

// The address the link opens in the default web browser.
inline constexpr std::string_view kMakerWebsite = "https://line6.com/";

// TForm2's FormShow: the name, the version and "<hardware> Edition".
void AboutFormShow(AboutForm& about);

// The link: the default web browser opens the maker's website; the window stays open.
void lblSiteLine6Click(FormView& view);

}  // namespace velmora
