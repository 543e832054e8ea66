// The outcome texts live beside the write rules, below the pages, so that
// vk38 reports an exchange's ending with the same words as the pages.
#pragma once

#include "rules/outcome_texts.h"
