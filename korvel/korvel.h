/* korvel: the plotter's formula language in two compiled slots.
 *
 * Calling order:
 *   compile into slot n:  Init_Number(n); Lex_Analiz_Init(); Lexan(text);
 *                         a non-zero result is turned into text by Error().
 *   draw slot n:          Init_Number(n); Init_ABC(a, b, c); then per point
 *                         Interpret(x) and GetDraw(); use the value only when
 *                         GetDraw() returns 1.
 *   release both slots:   Init_Number(1); Lex_Analiz_Init();
 *                         Init_Number(2); Lex_Analiz_Init();
 *
 * All state is process-wide; call from one thread only. No export raises a
 * C++ exception or signal, and each leaves the caller's floating-point
 * environment as it found it.
 */
#ifndef KORVEL_KORVEL_H
#define KORVEL_KORVEL_H

#include <stdint.h>

#if defined(KORVEL_BUILDING)
#define KORVEL_API __attribute__((visibility("default")))
#else
#define KORVEL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Selects slot N (1 or 2) for the calls that follow; a compiled formula stays
 * in its slot while the other one is selected. Any other number is stored as
 * well, and the calls that follow fail until 1 or 2 is selected again: Lexan
 * returns -1, Interpret returns 0 with GetDraw() 0, Lex_Analiz_Init does
 * nothing. */
KORVEL_API void Init_Number(uint8_t N);

/* Clears the selected slot and the token counter. Call it before every Lexan:
 * a second Lexan without it appends behind the first formula, which stays
 * the one that is checked and evaluated. */
KORVEL_API void Lex_Analiz_Init(void);

/* Lowercases the zero-terminated text S in place (the buffer must be
 * writable), compiles it into the selected slot and returns 0 when the formula
 * is valid, or an error code 1 to 10 (see Error). Returns -1 for an internal
 * failure (the selected slot is not 1 or 2, S is NULL, a counter overflow, a
 * number too large for an extended real). After any non-zero result the slot
 * is uncompiled: Interpret gives 0 with GetDraw() 0 until a Lexan succeeds. */
KORVEL_API int32_t Lexan(char* S);

/* *Msg receives a pointer to the zero-terminated Windows-1251 text of Code,
 * owned by the library and valid for the life of the process; copy it. Codes
 * outside 1..10 (0 and -1 included) give "Неизвестная ошибка". A NULL Msg does
 * nothing. */
KORVEL_API void Error(int32_t Code, const char** Msg);

/* Sets the coefficients a, b and c of the formulas. */
KORVEL_API void Init_ABC(long double A, long double B, long double C);

/* Evaluates the selected slot at X; the result is always finite. A failed
 * guarded operation (1/0, sqrt(-1), ln(0), arcsin(2), an overflowing exp,
 * "/" or "^") makes GetDraw() 0 and goes on with 0 in place of its result,
 * so '1/x+5' at 0 gives 5 with GetDraw() 0. An overflow in "+", "-", "*" or
 * sqr, a NaN or infinity given as x, a, b or c that the formula reads, or a
 * slot with no compiled formula gives 0 with GetDraw() 0. */
KORVEL_API long double Interpret(long double X);

/* 1 when the last Interpret gave a value to draw (and before the first), 0
 * when that point is undefined and must not be drawn. */
KORVEL_API uint8_t GetDraw(void);

#ifdef __cplusplus
}
#endif

#endif /* KORVEL_KORVEL_H */
