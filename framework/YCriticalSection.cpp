#include "framework/YCriticalSection.h"

void YCriticalSection::Enter() { mutex_.lock(); }

void YCriticalSection::Leave() { mutex_.unlock(); }

