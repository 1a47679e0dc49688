#pragma once

// Standard input, output and error of a program: descriptors 0, 1 and 2.

// A parent may start a program with any of the three closed. The next file
// the program opens would then take that number, and whatever the program
// writes to standard error or output (a warning, a listing) would land in
// that file: an archive being written, the X server's connection. Every
// main calls this first, before anything opens a file, so that each
// closed descriptor holds /dev/null instead. Standard input reads as
// empty; a write to standard output or error fails as it did while the
// descriptor was closed, so a program's output check still notices that
// its output went nowhere. Should /dev/null itself be missing, the
// process ends at once with status 127 rather than run that risk.
void fillClosedStandardStreams();

// Ends a program that prints results on standard output: flushes what is
// still buffered and checks that everything written reached the stream. A
// full disk, a closed stream or any other write error is said in one line
// on standard error ("PROGRAM: cannot write the output: REASON", the
// reason when it is known) and turns a `status` of 0 into 1; other
// statuses, and every status after a clean finish, are returned as they
// are. Covers both C's stdout and C++'s std::cout.
int finishStandardOutput(const char* program, int status);
