// Delay-loaded library calls (x86-64 System V). Each listed function is a
// trampoline that jumps through its slot; an empty slot sends the call to
// quillet_delay_bind, which keeps every argument register, has the function
// looked up (loading its library the first time) and then jumps to it as if
// it had been called directly.
    .text

#define DELAY_LOAD_LIBRARY(library, soname)
#define DELAY_LOAD_SYMBOL(index, library, name) \
    .globl name;                                \
    .type name, @function;                      \
    .p2align 4;                                 \
name:                                           \
    endbr64;                                    \
    movq quillet_delay_slots + 8 * index(%rip), %r11; \
    testq %r11, %r11;                           \
    jz 1f;                                      \
    jmpq *%r11;                                 \
1:  movl $index, %r11d;                         \
    jmp quillet_delay_bind;                     \
    .size name, . - name;

#include "delay_load_table.inc"

// r11 holds the symbol's index. The stack is kept 16-byte aligned for the
// call: 8 (return address) + 8 (rbp) + 64 (general) + 128 (xmm0-7).
    .p2align 4
    .type quillet_delay_bind, @function
quillet_delay_bind:
    pushq %rbp
    movq %rsp, %rbp
    pushq %rdi
    pushq %rsi
    pushq %rdx
    pushq %rcx
    pushq %r8
    pushq %r9
    pushq %rax        // vector register count of a variadic call
    pushq %r10
    subq $128, %rsp
    movdqu %xmm0, 0(%rsp)
    movdqu %xmm1, 16(%rsp)
    movdqu %xmm2, 32(%rsp)
    movdqu %xmm3, 48(%rsp)
    movdqu %xmm4, 64(%rsp)
    movdqu %xmm5, 80(%rsp)
    movdqu %xmm6, 96(%rsp)
    movdqu %xmm7, 112(%rsp)
    movl %r11d, %edi
    call quillet_delay_resolve
    movq %rax, %r11
    movdqu 0(%rsp), %xmm0
    movdqu 16(%rsp), %xmm1
    movdqu 32(%rsp), %xmm2
    movdqu 48(%rsp), %xmm3
    movdqu 64(%rsp), %xmm4
    movdqu 80(%rsp), %xmm5
    movdqu 96(%rsp), %xmm6
    movdqu 112(%rsp), %xmm7
    addq $128, %rsp
    popq %r10
    popq %rax
    popq %r9
    popq %r8
    popq %rcx
    popq %rdx
    popq %rsi
    popq %rdi
    popq %rbp
    jmpq *%r11
    .size quillet_delay_bind, . - quillet_delay_bind

    .section .note.GNU-stack, "", @progbits
