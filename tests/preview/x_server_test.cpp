#include "x_server_test.h"

XvfbServer* XServerTest::server = nullptr;

void XServerTest::SetUpTestSuite() { server = new XvfbServer(); }

void XServerTest::TearDownTestSuite() {
  delete server;
  server = nullptr;
}

void XServerTest::SetUp() {
  ASSERT_TRUE(server->running()) << "Xvfb did not start";
  host = std::make_unique<XHost>(server->display());
  ASSERT_TRUE(host->connected());
}
