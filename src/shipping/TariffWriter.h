#pragma once
// Writing a service back as the tariff file the reader reads: the common
// fields, then its shape, laid out like the shipped files so a seller can
// still read and edit it by hand. The seller's comments are not kept.

#include <string>
#include <string_view>

#include "shipping/Tariff.h"

namespace torepal {

// The file's UTF-8 text. Reading it back with ReadTariffText gives the same
// service (for a service ValidateTariff accepts).
std::string TariffToToml(const Tariff& tariff);

// True when the file's text holds a comment ("#" outside a string): saving
// over it would lose what the seller wrote there.
bool HasComments(std::string_view tomlText);

}  // namespace torepal
