#pragma once
// Helpers for tests that run real GStreamer graphs.

#include <gtest/gtest.h>

#include <QTemporaryFile>

#include <functional>

// A test that fails when anything printed a GLib or GStreamer warning or
// critical while it ran. What was printed is passed on to the real stderr.
class QuietGstTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    int m_nSavedStderr = -1;
    QTemporaryFile m_capture;
};

// A number from /proc/self/status ("Threads:", "VmRSS:" in kB); -1 when unknown.
long ProcessStatusField(const char* pszField);

// Runs the Qt event loop until the condition holds; false after timeoutMs.
bool ProcessEventsUntil(const std::function<bool()>& condition, int timeoutMs = 10000);
