// Project-file procedures the start-up and the dispatch call.
// PLACEHOLDER until the project files land: their header replaces this one and
// app/pending_project.cpp is deleted with it.
#pragma once

#include <cstdint>
#include <string>

void RegisterProjectFields();
void UpdateWindowTitle();
int64_t ReadProjectFile(const std::string& path);
int64_t OpenProjectWithPrompt();
int64_t SaveProjectWithPrompt(int64_t saveAs);
// 1 = the caller may go on (saved, or changes discarded, or nothing changed).
int64_t AskSaveChanges();
void MarkProjectModified();
