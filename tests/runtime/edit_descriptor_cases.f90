! Writes the table of edit-descriptor cases that edit_descriptors_test.cpp checks the formatter
! against: every row is one value, one descriptor and the text gfortran writes for them.
! Regenerate from the repository root (default options: -fsign-zero keeps the sign of a
! negative zero):
!   gfortran tests/runtime/edit_descriptor_cases.f90 -o /tmp/edit_descriptor_cases && \
!     /tmp/edit_descriptor_cases > tests/data/edit_descriptor_cases.txt
!
! Rows, the text between the last pair of brackets:
!   r8 <64 bits in hex> <decimal, for reading only> <descriptor> [text]   REAL*8 value
!   r4 <32 bits in hex> <decimal, for reading only> <descriptor> [text]   REAL*4 value
!   i8 <value> <descriptor> [text]                                       INTEGER*8 value
!   a [value] <descriptor> [text]                                        CHARACTER value
program edit_descriptor_cases
    use, intrinsic :: ieee_arithmetic, only: ieee_value, ieee_positive_inf, ieee_quiet_nan
    use, intrinsic :: iso_fortran_env, only: compiler_version
    implicit none
    real(8) :: inf, nan, tiny_sub
    real(8), allocatable :: fx(:), ex(:), gx(:)
    real(4), allocatable :: sx(:)
    integer(8), allocatable :: ix(:)
    character(len=8), allocatable :: fd(:), ed(:), gd(:), sd(:), id(:)
    integer :: i, j

    inf = ieee_value(inf, ieee_positive_inf)
    nan = ieee_value(nan, ieee_quiet_nan)
    tiny_sub = transfer(1_8, tiny_sub) ! the smallest subnormal

    write (*, '(A)') '# Made by tests/runtime/edit_descriptor_cases.f90 with gfortran; regenerate: &
        &gfortran tests/runtime/edit_descriptor_cases.f90 -o /tmp/edit_descriptor_cases && &
        &/tmp/edit_descriptor_cases > tests/data/edit_descriptor_cases.txt'
    write (*, '(A)') '# Compiler: '//compiler_version()
    write (*, '(A)') '# Rows: r8|r4 <bits in hex> <decimal, for reading> <descriptor> [text]; &
        &i8 <value> <descriptor> [text]; a [value] <descriptor> [text]'

    ! Fw.d: ties, values that round to zero, the optional zero, overflow, large and tiny values.
    fx = [0d0, -0d0, 0.125d0, 0.375d0, -0.125d0, 0.5d0, -0.5d0, 1.5d0, 2.5d0, 0.0025d0, &
          -0.001d0, 0.05d0, 0.96d0, 0.999999d0, 1d0, -1d0, 3.141592653589793d0, &
          -2.718281828459045d0, 12.345d0, 99.995d0, 999.5d0, -999.5d0, 1234.5678d0, &
          99999.99d0, -9876543.21d0, 1d10, 1.2345678d25, 1d-5, -5d-7, 1d300, inf, -inf, nan]
    fd = [character(len=8) :: 'F3.0', 'F4.2', 'F5.2', 'F5.4', 'F6.1', 'F8.2', 'F8.3', &
          'F10.2', 'F11.2', 'F13.4', 'F20.10']
    do i = 1, size(fx)
        do j = 1, size(fd)
            call r8(fx(i), trim(fd(j)))
        end do
    end do
    call r8(0.1d0, 'F1.0')
    call r8(0.1d0, 'F2.0')
    call r8(-0.1d0, 'F2.0')
    call r8(-0.1d0, 'F3.0')
    call r8(0.6d0, 'F2.0')
    call r8(0d0, 'F1.0')
    call r8(0d0, 'F2.1')
    call r8(0.06d0, 'F2.1')
    call r8(-0.06d0, 'F3.1')
    call r8(-0.001d0, 'F3.2')
    call r8(9999.5d0, 'F6.0')
    call r8(0.5d0, 'F3.0')
    call r8(-inf, 'F9.2')
    call r8(inf, 'F7.2')
    call r8(inf, 'F2.2')
    call r8(-inf, 'F3.2')
    call r8(-inf, 'F4.2')
    call r8(nan, 'F2.2')
    call r8(-nan, 'F5.1')
    call r8(1d-300, 'F10.6')
    call r8(123456.7d0, 'F15.6')
    call r8(-0.0004d0, 'F8.3')
    call r8(4.99999987d-4, 'F8.3')
    call r8(1.2345678d25, 'F30.1')

    ! Ew.d, Ew.dEe, kPEw.d, ESw.d: exponents of one to three digits, rounding that carries into
    ! a new leading digit, the optional zero, subnormals and the largest double.
    ex = [0d0, -0d0, 1d0, -1d0, 0.125d0, 392.65d0, -12340d0, 12345d0, 9.9996d0, -9.99951d0, &
          0.0999995d0, 2.5d-5, 1d-99, 1d-100, -1d100, 1.7d38, 6.02214076d23, tiny_sub, &
          huge(1d0), inf, -inf, nan]
    ed = [character(len=8) :: 'E10.3', 'E10.4', 'E12.4', 'E12.5', 'E9.2', 'E8.1', 'E25.14', &
          'E12.3E3', 'E9.3E1', 'E10.2E2', '1PE9.2', '1PE10.3', '1PE8.2', '2PE10.3', &
          '-1PE10.3', 'ES10.3', 'ES12.5', 'ES9.3']
    do i = 1, size(ex)
        do j = 1, size(ed)
            call r8(ex(i), trim(ed(j)))
        end do
    end do
    call r8(-1d100, 'E7.1')
    call r8(-1d100, 'E6.1')
    call r8(12345d0, '-1PE9.3')
    call r8(12345d0, '-1PE8.3')
    call r8(12345d0, '-2PE10.3')
    call r8(12345d0, '3PE10.3')
    call r8(12345d0, '4PE10.3')
    call r8(-12345d0, '2PE9.3')
    call r8(0d0, '1PE8.2')
    call r8(0d0, 'ES8.3')
    call r8(1d0, '1PE7.2')
    call r8(-1d300, 'E12.3E4')
    call r8(-1d300, 'E11.3E4')
    call r8(0.5d0, 'E7.1')
    call r8(0.25d0, 'E7.1')
    call r8(0.35d0, 'E7.1')

    ! Gw.d: magnitudes on both sides of each switch between the F and the E layout, with ties
    ! and values that round across a power of ten.
    gx = [0d0, -0d0, 1d-310, 0.0625d0, 0.05d0, 0.09994d0, 0.0999499999d0, 0.09995d0, &
          0.09996d0, 0.0999995d0, 0.1d0, -0.5d0, 0.99999d0, 0.999996d0, 1d0, -5d0, 8.5d0, &
          9.5d0, 12.5d0, 99.96d0, 998.5d0, 999.5d0, 999.6d0, 12345.6d0, 99998.5d0, &
          99999.4d0, 99999.49d0, 99999.5d0, 1d5, 123456d0, -3.14159d7, 1d300, inf, -inf, nan]
    gd = [character(len=8) :: 'G12.5', 'G10.3', 'G10.1', 'G9.3', 'G8.3', 'G6.3', 'G14.7']
    do i = 1, size(gx)
        do j = 1, size(gd)
            call r8(gx(i), trim(gd(j)))
        end do
    end do
    call r8(0.1d0, 'G7.5')
    call r8(0.1d0, 'G10.5')
    call r8(-0.5d0, 'G7.3')
    call r8(inf, 'G5.5')
    call r8(-inf, 'G8.5')
    call r8(nan, 'G3.1')

    ! Four-byte reals print with their own digits, all of them exact.
    sx = [0.1, -0.3, 1.0/3.0, 392.65, 123456.789, -9.8765432e-5, 7.0e-7, 16777217.0, &
          3.4e38, transfer(1, 1.0), -0.0, 0.125, 2.5]
    sd = [character(len=8) :: 'F13.4', 'F10.6', 'F20.10', 'F3.0', 'E14.7', 'E25.14', &
          '1PE9.2', 'ES15.8', 'G12.5']
    do i = 1, size(sx)
        do j = 1, size(sd)
            call r4(sx(i), trim(sd(j)))
        end do
    end do

    ! Iw, Iw.m: every width from 1 to 12, minimum digits, the extremes of eight-byte integers.
    ix = [0_8, 1_8, -1_8, 7_8, -12_8, 99_8, 100_8, -1234_8, 12345_8, 999999_8, -2147483648_8, &
          123456789012_8, -huge(1_8) - 1_8, huge(1_8)]
    id = [character(len=8) :: 'I1', 'I2', 'I3', 'I4', 'I5', 'I6', 'I7', 'I8', 'I9', 'I10', &
          'I11', 'I12', 'I20', 'I5.3', 'I5.5', 'I3.3', 'I5.0', 'I1.0']
    do i = 1, size(ix)
        do j = 1, size(id)
            call i8(ix(i), trim(id(j)))
        end do
    end do

    ! A, Aw: the whole text, its first w characters, or right-justified.
    call a('abcdef', 'A')
    call a('ab  ', 'A')
    call a('abcdef', 'A1')
    call a('abcdef', 'A3')
    call a('abcdef', 'A6')
    call a('abcdef', 'A8')
    call a('ab  ', 'A3')
    call a('ab  ', 'A6')
    call a(' x', 'A1')

contains

    subroutine r8(x, descriptor)
        real(8), intent(in) :: x
        character(*), intent(in) :: descriptor
        character(len=200) :: text
        write (text, '("[",'//descriptor//',"]")') x
        write (*, '("r8 ",Z16.16,1X,ES24.16E3,1X,A,1X,A)') transfer(x, 0_8), x, descriptor, &
            trim(text)
    end subroutine r8

    subroutine r4(x, descriptor)
        real(4), intent(in) :: x
        character(*), intent(in) :: descriptor
        character(len=200) :: text
        write (text, '("[",'//descriptor//',"]")') x
        write (*, '("r4 ",Z8.8,1X,ES16.8E2,1X,A,1X,A)') transfer(x, 0), x, descriptor, trim(text)
    end subroutine r4

    subroutine i8(v, descriptor)
        integer(8), intent(in) :: v
        character(*), intent(in) :: descriptor
        character(len=200) :: text
        write (text, '("[",'//descriptor//',"]")') v
        write (*, '("i8 ",I0,1X,A,1X,A)') v, descriptor, trim(text)
    end subroutine i8

    subroutine a(s, descriptor)
        character(*), intent(in) :: s
        character(*), intent(in) :: descriptor
        character(len=200) :: text
        write (text, '("[",'//descriptor//',"]")') s
        write (*, '(A)') 'a ['//s//'] '//descriptor//' '//trim(text)
    end subroutine a

end program edit_descriptor_cases
