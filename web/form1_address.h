#pragma once

#include <string>
#include <string_view>

#include "model/form1_model.h"

// The estimate in the page's address, so that a page sent from a chat app's
// own menu carries it: the fragment after '#', e.g. for the worked example
//   v=1&f=100,2,5,15,2,60,30,40,25,8,2&p=20*10*1,25*8*2&r=Command2,Com_Count
// v  the format, 1;
// f  every field's text as last handed to the engine, in the window's table
//    order (Text1, T_mb, Text2, Text3, Text4, T_Main(0..2), T_FU(0..2));
// p  the plates added, in order, each its three texts joined by '*';
// r  the operations whose last run succeeded, of Command2 ("确定") and
//    Com_Count ("开始计算").
// A text keeps its digits, letters and ".-_~"; every other byte is %XX.
namespace web {

std::string addressOf(const model::Form1Model& model);

// Opens an address on a fresh model as a person would redo it: puts each field
// text in, adds each plate through the engine (its texts in T_FU), puts the
// plate fields back and runs the operations listed, in the window's order.
// An address is only data: a part or text that cannot be read is left out (a
// field keeps its start text), and every text read is judged by the operation,
// as a typed one is. Stops at the first operation that fails and returns its
// message; empty when none failed. Another format than 1 opens nothing.
std::string openAddress(model::Form1Model& model, std::string_view address);

}  // namespace web
