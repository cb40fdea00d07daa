// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Objects the audio threads hand to the GUI thread travel through Qt's event
// queue, whose lock lives in the Qt library. ThreadSanitizer does not see
// inside an uninstrumented Qt, so under it the sender marks the object
// released before posting it and the receiver marks it acquired before
// reading it; without ThreadSanitizer both are nothing.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define AVEK_THREAD_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define AVEK_THREAD_SANITIZER 1
#endif

#ifdef AVEK_THREAD_SANITIZER
extern "C" void __tsan_acquire(void *address);
extern "C" void __tsan_release(void *address);
#endif

inline void HandOff([[maybe_unused]] void *object)
{
#ifdef AVEK_THREAD_SANITIZER
    __tsan_release(object);
#endif
}

inline void TakeOver([[maybe_unused]] void *object)
{
#ifdef AVEK_THREAD_SANITIZER
    __tsan_acquire(object);
#endif
}
