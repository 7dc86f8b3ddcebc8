#pragma once

// COM for this thread while the object lives, for the few things that need
// it (the folder picker's new style, the background picture). The COM
// libraries are loaded at the first need: loaded at start-up they cost every
// run a megabyte of memory for features most runs never use.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // Frees memory the shell handed out with COM's allocator.
    static void freeMemory(void* memory);

private:
    bool initialised_;
};
