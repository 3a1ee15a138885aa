// The letters of pieces in move texts, shared by the move list and the game files.
#pragma once

// "N", "B", "R", "Q", "K" for a piece; 0 for a pawn or an empty square.
char PieceLetter(int kind);
// The letter after "=" of a promotion: "N", "B", "R", else "Q".
char PromotionLetter(int kind);
