// The two views of a run's figures: tables on standard output, and JSON.
#pragma once

#include "bench/figures.h"

void printTables(const Figures& f);
// False if the file cannot be written.
bool writeJson(const Figures& f, const std::string& path);
