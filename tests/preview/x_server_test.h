#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "x_host.h"
#include "x_server.h"

// A test suite with one private Xvfb for all its tests, and a fresh
// connection to it (`host`) for each test.
class XServerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

  static XvfbServer* server;
  std::unique_ptr<XHost> host;
};
