#pragma once

// Keeps the picture thread and the rest of the program on different processors while the
// program starts. A thread woken on the processor where the picture thread was decoding (the
// main thread, after an X server reply or a lock it waited for) was left queued behind the
// decoding for up to a few milliseconds, with the other processor idle: the application
// object took half as long again to make as in a program without that thread. Apart, each
// keeps its processor.
//
// Nothing happens with fewer than two processors, or where the system does not allow it.
class CoreSplit {
public:
    // On the main thread: from now on it, and every thread it starts, keeps off one of its
    // processors, which is set aside for the picture thread.
    static void Begin();
    // On the picture thread: keeps to the processor set aside, if there is one.
    static void EnterWorker();
    // On a thread that is to work only while the main thread waits (a share of the picture
    // check the main thread waits for): the main thread's processors, at the lowest priority,
    // so that the main thread, once woken, never queues behind it.
    static void EnterHelper();
    // Gives every thread of the program all of its processors again; a picture thread started
    // later keeps to none.
    static void End();
};
