// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <cstddef>
#include <cstdint>

// Word-wide access to the lowest bit plane of a byte array. Hidden byte i is
// made of bit 0 of bytes 8i..8i+7, the first of them carrying its least
// significant bit.
namespace BitPlane {

// out[i] := the hidden byte carried by planes[8i .. 8i+7], for i < count.
void gather(const std::uint8_t *planes, std::uint8_t *out, std::size_t count);

// Stores in[i] into bit 0 of planes[8i .. 8i+7], for i < count; the seven
// upper bits of every byte stay as they were.
void scatter(std::uint8_t *planes, const std::uint8_t *in, std::size_t count);

// Both use AVX2 where the processor has it, as do the counting kernels of
// the analysis. Tests turn that off to check the word-wide forms as well;
// true when wide kernels are in use.
bool useWideKernels(bool use);
bool wideKernels();

} // namespace BitPlane
