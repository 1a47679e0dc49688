#include "landscape/planting_spots.h"

#include <cstddef>

#include "scene/random.h"

namespace {

std::vector<PlantingSpot> freeFirstReliefSpots;
std::vector<PlantingSpot> freeSecondReliefSpots;

// Spots that match the relief of "relef1", in fill order. Every spot keeps
// at least 22.5 units from the line, on both sides of it.
const std::vector<PlantingSpot> kFirstReliefSpots = {
    {-155, 22.5, -3.22},  {-155, -52.5, 8.55},   {-135, -60, 11.02},  {-115, -30, 1.04},
    {-95, -52.5, -0.33},  {-75, -30, -5.75},     {-65, -52.5, 3.16},  {-45, -60, 5.81},
    {-35, -30, -2.99},    {-15, -60, 8.17},      {5, -30, -5.58},     {15, -45, -3.7},
    {25, -60, -0.7},      {-145, 30, 0.16},      {-135, 60, -24.42},  {-105, 30, -9.55},
    {-85, 45, -3.88},     {-75, 60, -20.35},     {-55, 22.5, -4.89},  {-45, 52.5, -13.8},
    {-25, 30, -9.81},     {-15, 60, -10.28},     {5, 30.39, -6.05},   {15, 60, -11.17},
    {45, 45, -7.19},
};

// Spots that match the relief of "relef2", in fill order.
const std::vector<PlantingSpot> kSecondReliefSpots = {
    {45, -30, -4.56},     {25, -52.5, 8.07},     {5, -30, 0.56},      {-35, -37.5, -5.1},
    {-65, -45, 1.58},     {-65, -22.5, -6.36},   {-95, -37.5, -5.59}, {-105, -60, 9.91},
    {-135, -52.5, -5.17}, {-125, -22.5, -6.45},  {-45, -60, 9.75},    {-15, -60, 5.07},
    {35, 60, -22.3},      {25, 30, -2.51},       {-5, 22.5, -6.3},    {-5, 45, -9.68},
    {-25, 60, -12.69},    {-45, 37.5, -4.39},    {-65, 52.5, -14.28}, {-105, 60, -10.27},
    {-85, 30, -10.29},    {-125, 52.5, -10.65},  {-135, 30, -2.9},    {-155, 45, -7.67},
};

// The free spots of the current piece of `kind`.
std::vector<PlantingSpot>& plantingSpotList(int32_t kind) {
  return kind == FirstReliefSpots ? freeFirstReliefSpots : freeSecondReliefSpots;
}

}  // namespace

const std::vector<PlantingSpot>& plantingSpotTable(int32_t kind) {
  return kind == FirstReliefSpots ? kFirstReliefSpots : kSecondReliefSpots;
}

// A new piece must not inherit the spots an earlier piece left free.
void clearPlantingSpots(int32_t kind) { plantingSpotList(kind).clear(); }

size_t freePlantingSpots(int32_t kind) { return plantingSpotList(kind).size(); }

PlantingSpot takePlantingSpot(int32_t kind) {
  std::vector<PlantingSpot>& spots = plantingSpotList(kind);
  if (spots.empty()) spots = plantingSpotTable(kind);
  // Taken as unsigned, so a negative draw still lands inside the list.
  std::size_t index = static_cast<unsigned>(randomNumber()) % spots.size();
  PlantingSpot spot = spots[index];
  spots.erase(spots.begin() + static_cast<std::ptrdiff_t>(index));
  return spot;
}
