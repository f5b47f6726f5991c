// Google Test and Google Mock, compiled once per test program as its
// precompiled header. Every test file still includes what it uses itself.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
