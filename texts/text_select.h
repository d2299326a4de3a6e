// Picks the English or the Dutch text of a pair at compile time.
// NORVALE_LANG is 0 for the English program and 1 for the Dutch one; it is set
// only when the files of texts/ are compiled.
#pragma once

#ifndef NORVALE_LANG
#error "texts/*.cpp are compiled with NORVALE_LANG set to 0 (English) or 1 (Dutch)"
#endif

#if NORVALE_LANG == 1
#define NV_TEXT(english, dutch) dutch
#else
#define NV_TEXT(english, dutch) english
#endif
