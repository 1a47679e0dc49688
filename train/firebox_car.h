#pragma once
#include <cstdint>

// One-shot event callback: builds the firebox car under `currentNode` (the
// car anchor): the rocking body and its four wheels. The wheels are the
// body's siblings, so the rocking does not move them.
void buildFireboxCar(int32_t);
