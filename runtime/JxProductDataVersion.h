#pragma once
// The version record at the head of the product data file, read and checked
// against the program before anything else of the file is trusted.

#include <cstdint>

class JxCInStrStream;

// Reads the record (seven counted strings) from the stream and checks it;
// 0 when it cannot be read or does not fit the program (the check reports
// its own message).
std::int16_t CheckProductDataVersion(JxCInStrStream& in);
