// Starting a program with the user's ordinary (unelevated) rights.
#pragma once

#include <windows.h>

#include <string>

// 0 started (its pid printed), 1 not started, 2 no linked token to start with.
int StartOrdinary(const std::string& folder, const std::string& commandLine);
