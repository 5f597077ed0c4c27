// The plant as lines of text, for a drawing of it: what the bench draws is
// the plant the module built, read by no second parser. Fields are separated
// by tabs; objects are numbered from 0 in list order, the fluid objects first.
//   "object<TAB>LIST<TAB>NAME<TAB>KIND<TAB>STAGE<TAB>LABEL", one an object:
//     LIST is HYDRAULIC or ELECTRIC, STAGE the configuration whose separation
//     deletes it (99: none), KIND and LABEL as the object sketches itself;
//   "link<TAB>FROM<TAB>TO<TAB>PORT<TAB>ROLE<TAB>in|out<TAB>applied|idle",
//     after its object: FROM and TO are object numbers, PORT "IN", "OUT" or
//     "" (a tank port or the whole object), "in" when what flows comes from
//     TO, "idle" for a way the object is not using now.
#pragma once

#include <string>
#include <vector>

class OnboardSystems;

std::vector<std::string> DescribePlant(const OnboardSystems &plant);
